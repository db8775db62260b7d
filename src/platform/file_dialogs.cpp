#include "platform/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>
#include <filesystem>
#include <string>

#include "platform/file_dialog_answers.h"
#include "platform/text_encoding.h"

namespace {

// "Macro Flie\0*.macro;*.MACRO\0\0" -> "Macro Flie (*.macro *.MACRO)", one entry per pair.
QStringList QtFilters(const wchar_t* filter) {
    QStringList filters;
    while (filter != nullptr && *filter != L'\0') {
        const std::wstring label = filter;
        filter += label.size() + 1;
        std::wstring pattern = filter;
        filter += pattern.size() + 1;
        for (wchar_t& c : pattern) {
            if (c == L';') c = L' ';
        }
        filters << QString::fromStdWString(label + L" (" + pattern + L")");
    }
    return filters;
}

BOOL Answer(OPENFILENAMEW* dialog, std::string path) {
    if (dialog->lpstrDefExt != nullptr && *dialog->lpstrDefExt != L'\0' &&
        std::filesystem::path(path).extension().empty()) {
        path += "." + platform::ToUtf8(dialog->lpstrDefExt);
    }
    const std::wstring wide = platform::FromUtf8(path);
    if (dialog->lpstrFile == nullptr || wide.size() + 1 > dialog->nMaxFile) return FALSE;
    wide.copy(dialog->lpstrFile, wide.size());
    dialog->lpstrFile[wide.size()] = L'\0';
    return TRUE;
}

BOOL Run(OPENFILENAMEW* dialog, bool save) {
    if (dialog == nullptr) return FALSE;
    if (auto queued = platform::TakeFileDialogAnswer()) {
        return *queued ? Answer(dialog, **queued) : FALSE;
    }
    const QStringList filters = QtFilters(dialog->lpstrFilter);
    const int index = static_cast<int>(dialog->nFilterIndex) - 1;
    QString selected = index >= 0 && index < filters.size() ? filters[index] : QString();
    const QString folder = dialog->lpstrInitialDir != nullptr
                               ? QString::fromWCharArray(dialog->lpstrInitialDir)
                               : QString();
    QFileDialog::Options options;
    if ((dialog->Flags & OFN_OVERWRITEPROMPT) == 0) options |= QFileDialog::DontConfirmOverwrite;
    const QString path = save ? QFileDialog::getSaveFileName(nullptr, {}, folder,
                                                             filters.join(";;"), &selected, options)
                              : QFileDialog::getOpenFileName(
                                    nullptr, {}, folder, filters.join(";;"), &selected, options);
    if (path.isEmpty()) return FALSE;
    return Answer(dialog, path.toStdString());
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* dialog) {
    return Run(dialog, false);
}

BOOL GetSaveFileNameW(OPENFILENAMEW* dialog) {
    return Run(dialog, true);
}
