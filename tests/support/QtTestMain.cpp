// Test entry for Qt widget tests: one QApplication for the whole run, then GoogleTest.
#include <QApplication>
#include <QSurfaceFormat>
#include <dlfcn.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Qt unloads the GL driver when the application ends; kept loaded, the driver's own
    // allocations stay attributable to it in the leak checker's reports (sanitizer runs).
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_NODELETE);
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
