#include "skin/file_dialogs.h"

#include <QFileDialog>
#include <QPointer>
#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_dialog_answers.h"
#include "platform/text_encoding.h"
#include "skin/window_impl_base.h"

namespace {

std::vector<QPointer<QFileDialog>>& OpenDialogs() {
    static std::vector<QPointer<QFileDialog>> dialogs;
    return dialogs;
}

QString FromWide(std::wstring_view text) {
    return QString::fromStdWString(std::wstring(text));
}

// "Profile Flie\0*.pro;*.PRO\0\0" becomes "Profile Flie (*.pro *.PRO)".
QStringList NameFilters(const wchar_t* filter) {
    QStringList filters;
    if (filter == nullptr) return filters;
    for (const wchar_t* at = filter; *at != L'\0';) {
        const std::wstring_view description(at);
        at += description.size() + 1;
        if (*at == L'\0') break;
        const std::wstring_view patterns(at);
        at += patterns.size() + 1;
        filters << FromWide(description) + " (" + FromWide(patterns).replace(';', ' ') + ")";
    }
    return filters;
}

// A name typed without an extension gets the default one, as the dialog itself would add it.
std::string WithDefaultExtension(const std::string& path, const wchar_t* extension) {
    if (extension == nullptr || *extension == L'\0') return path;
    if (std::filesystem::path(path).has_extension()) return path;
    return path + "." + platform::ToUtf8(extension);
}

BOOL Deliver(OPENFILENAMEW& ofn, const std::string& path) {
    const std::wstring wide = platform::FromUtf8(path);
    if (wide.size() + 1 > ofn.nMaxFile) return FALSE;
    std::copy(wide.begin(), wide.end(), ofn.lpstrFile);
    ofn.lpstrFile[wide.size()] = L'\0';
    return TRUE;
}

BOOL RunFileDialog(OPENFILENAMEW* ofn, bool save) {
    if (ofn == nullptr || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) return FALSE;
    // A queued answer stands for what the person finally chose, an overwrite confirmed.
    if (auto answer = platform::TakeFileDialogAnswer()) {
        if (!answer->has_value()) return FALSE;
        return Deliver(*ofn, save ? WithDefaultExtension(**answer, ofn->lpstrDefExt) : **answer);
    }

    WindowImplBase* owner = WindowImplBase::FromHandle(ofn->hwndOwner);
    QFileDialog dialog(owner != nullptr ? owner->GetWindowWidget() : nullptr);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFilters(ofn->lpstrFilter);
    dialog.setNameFilters(filters);
    if (ofn->nFilterIndex >= 1 && ofn->nFilterIndex <= static_cast<DWORD>(filters.size()))
        dialog.selectNameFilter(filters[static_cast<qsizetype>(ofn->nFilterIndex - 1)]);
    if (ofn->lpstrDefExt != nullptr) dialog.setDefaultSuffix(FromWide(ofn->lpstrDefExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (ofn->Flags & OFN_OVERWRITEPROMPT) == 0);
    if (ofn->lpstrInitialDir != nullptr) dialog.setDirectory(FromWide(ofn->lpstrInitialDir));
    if (ofn->lpstrFile[0] != L'\0') dialog.selectFile(FromWide(ofn->lpstrFile));

    OpenDialogs().emplace_back(&dialog);
    const int result = dialog.exec();
    std::erase(OpenDialogs(), QPointer<QFileDialog>(&dialog));
    const QStringList chosen = dialog.selectedFiles();
    if (result != QDialog::Accepted || chosen.isEmpty()) return FALSE;
    return Deliver(*ofn, chosen.first().toStdString());
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
    return RunFileDialog(ofn, false);
}

BOOL GetSaveFileNameW(OPENFILENAMEW* ofn) {
    return RunFileDialog(ofn, true);
}

int OpenFileDialogCount() {
    return static_cast<int>(OpenDialogs().size());
}

void CancelFileDialogs() {
    for (const QPointer<QFileDialog>& dialog : OpenDialogs()) {
        if (dialog) dialog->reject();
    }
}
