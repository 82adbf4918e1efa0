#include "desktop/dialogs/DialogWindowFlags.h"

#include <QWidget>

namespace quelmarine {

Qt::WindowFlags dialogWindowFlags() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

void useDialogWindowFlags(QWidget* dialog) {
    dialog->setWindowFlags(dialogWindowFlags());
}

} // namespace quelmarine
