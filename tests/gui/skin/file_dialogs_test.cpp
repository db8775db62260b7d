// The Win32-shaped file dialogs: what a person is shown, and how the program's exit ends them.

#include "skin/file_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "skin/window_impl_base.h"

namespace {

TEST(FileDialogTest, SaveDialogOffersTheFilterAndExtensionAndEndsWithTheModalRuns) {
    wchar_t path[260] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFilter = L"Profile Flie\0*.pro;*.PRO\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = 260;
    ofn.lpstrDefExt = L"pro";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    QStringList filters;
    QString suffix;
    bool asks_to_overwrite = false;
    bool saves = false;
    int depth = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            asks_to_overwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            saves = dialog->acceptMode() == QFileDialog::AcceptSave;
            depth = WindowImplBase::ModalDepth();
        }
        // As the tray's "exit" does while a dialog is open.
        WindowImplBase::EndModals(0);
    });
    EXPECT_EQ(GetSaveFileNameW(&ofn), FALSE);
    EXPECT_EQ(filters, QStringList{"Profile Flie (*.pro *.PRO)"});
    EXPECT_EQ(suffix, "pro");
    EXPECT_TRUE(asks_to_overwrite);
    EXPECT_TRUE(saves);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(WindowImplBase::ModalDepth(), 0);
}

}  // namespace
