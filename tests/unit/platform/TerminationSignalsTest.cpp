#include "tank/platform/TerminationSignals.h"
#include "support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace quelmarine;
using testsupport::fileExists;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Runs `body` in a child process that has the handler installed; returns its wait status.
template <typename Body> int statusOfChild(Body body) {
    pid_t child = ::fork();
    if (child == 0) {
        installTerminationHandler();
        body();
        ::_exit(99); // the signal did not end the process
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

} // namespace

// Each signal ends the process with status 0 and removes the files registered at that moment,
// and only those: a registration that has ended, or a relative path, leaves its file alone.
TEST(TerminationSignals, EachSignalRemovesTheRegisteredFilesAndExitsWithZero) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        TempDir dir;
        const std::string held = dir.file("held.bmp"), released = dir.file("released.ad"),
                          second = dir.file("second.wav"), relative = dir.file("relative.ini");
        for (const std::string& path : {held, released, second, relative})
            writeFile(path, "x");
        const int status = statusOfChild([&] {
            RemovedOnTermination keep(held);
            std::optional<RemovedOnTermination> gone(std::in_place, released);
            gone.reset();
            RemovedOnTermination alsoKept(second);
            if (::chdir(dir.path().c_str()) != 0)
                ::_exit(98);
            RemovedOnTermination notAbsolute("relative.ini");
            std::raise(signal);
        });
        ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal;
        EXPECT_EQ(WEXITSTATUS(status), 0) << "signal " << signal;
        EXPECT_FALSE(fileExists(held)) << "signal " << signal;
        EXPECT_FALSE(fileExists(second)) << "signal " << signal;
        EXPECT_TRUE(fileExists(released)) << "signal " << signal;
        EXPECT_TRUE(fileExists(relative)) << "signal " << signal;
    }
}

// More registrations than there are places: those that fit are removed; nothing breaks.
TEST(TerminationSignals, ManyRegistrationsAtOnce) {
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 40; ++i) {
        paths.push_back(dir.file("file" + std::to_string(i)));
        writeFile(paths.back(), "x");
    }
    const int status = statusOfChild([&] {
        std::vector<std::unique_ptr<RemovedOnTermination>> all;
        for (const std::string& path : paths)
            all.push_back(std::make_unique<RemovedOnTermination>(path));
        std::raise(SIGTERM);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fileExists(paths.front()));
}

// A request that comes between a file's creation and its registration waits for the end of the
// section, then removes that file too; sections nest, and only the outermost end carries it out.
TEST(TerminationSignals, ARequestDuringADeferredSectionWaitsAndRemovesWhatItMade) {
    TempDir dir;
    const std::string marker = dir.file("marker.lock"), between = dir.file("between"),
                      after = dir.file("after");
    const int status = statusOfChild([&] {
        std::optional<RemovedOnTermination> registered;
        {
            TerminationDeferred outer;
            {
                TerminationDeferred inner;
                writeFile(marker, "pid");
                std::raise(SIGTERM);
                registered.emplace(marker);
            }
            writeFile(between, "the outer section still runs");
        }
        writeFile(after, "never made");
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fileExists(marker)) << "the file made inside the section is left behind";
    EXPECT_TRUE(fileExists(between)) << "the request did not wait for the outer section";
    EXPECT_FALSE(fileExists(after)) << "the request was not carried out at the section's end";
}
