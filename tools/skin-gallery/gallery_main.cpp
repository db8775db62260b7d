// nimba-skin-gallery <res folder> <output folder>
// Renders every window skin with sample content into <output>/<skin name>.png, plus the main
// window with all its sections open. Exits with 1 when a skin cannot be built or saved.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>
#include <memory>

#include "preview_window.h"
#include "sample_content.h"
#include "skin/dialog_builder.h"
#include "skin/list.h"
#include "skin/menu_wnd.h"
#include "skin/resource_manager.h"
#include "skin/skin_text.h"

namespace {

using nimba::skin::FromQ;
using nimba::skin::ToQ;

constexpr std::u16string_view kWindowSkins[] = {u"main.xml",
                                                u"msg.xml",
                                                u"DPImsg.xml",
                                                u"DpiColorDialog.xml",
                                                u"shortcut.xml",
                                                u"MS/MS_1/ms_1_macropage.xml",
                                                u"MS/MS_1/selectmacro.xml",
                                                u"MS/MS_1/profilename.xml"};
constexpr std::u16string_view kMenuSkins[] = {u"traymenu.xml", u"MS/MS_1/ms_1_menu.xml"};

// A list holding a few action rows built from the row template.
constexpr std::u16string_view kRowHost =
    u"<Window size=\"440,140\"><VerticalLayout inset=\"10,10,10,10\" bkcolor=\"#FF1E2128\">"
    u"<List name=\"rows\" itemheight=\"30\"/></VerticalLayout></Window>";

class Gallery {
public:
    explicit Gallery(QString out_dir) : out_dir_(std::move(out_dir)) {}

    void Window(std::u16string_view skin) {
        nimba::gallery::PreviewWindow window{std::u16string(skin)};
        if (window.Create(nullptr, u"", WS_POPUP | WS_VISIBLE, 0) == nullptr) {
            Fail(skin, "cannot be built");
            return;
        }
        nimba::gallery::FillSampleContent(skin, window.Manager());
        Save(skin, window.GetWindowWidget(), {});
        if (skin == u"main.xml") {
            nimba::gallery::OpenAllSections(window.Manager());
            Save(skin, window.GetWindowWidget(), "_all_sections");
        }
        window.DestroyWindow();
    }

    void Menu(std::u16string_view skin) {
        CMenuWnd menu;
        if (!menu.Init(nullptr, skin, POINT{0, 0}, nullptr)) {
            Fail(skin, "cannot be built");
            return;
        }
        Save(skin, menu.GetWindowWidget(), {});
        menu.DestroyWindow();
    }

    void RowTemplate(std::u16string_view skin) {
        QWidget host;
        host.resize(440, 140);
        CPaintManagerUI pm;
        pm.Init(nullptr, &host);
        pm.AttachDialog(CDialogBuilder().CreateFromString(kRowHost, &pm));
        auto* list = pm.FindControlAs<CListUI>(u"rows");
        for (const auto& [key, image] :
             {std::pair{u"Ctrl", u"file='skins/keyboard_key_action.png' dest='5,6,35,24'"},
              {u"Right button", u"file='skins/mouse.png' dest='2,2,28,28'"}}) {
            CControlUI* row = CDialogBuilder().Create(skin, &pm);
            if (list == nullptr || row == nullptr) {
                delete row;
                Fail(skin, "cannot be built");
                return;
            }
            list->Add(row);
            if (CControlUI* label = row->FindControl(u"key")) {
                label->SetText(key);
                label->SetBkImage(image);
            }
        }
        Save(skin, &host, {});
    }

    int ExitCode() const { return failed_ ? 1 : 0; }

private:
    void Save(std::u16string_view skin, QWidget* widget, const QString& suffix) {
        widget->show();
        QApplication::processEvents();
        const QString path =
            QDir(out_dir_).filePath(QFileInfo(ToQ(skin)).completeBaseName() + suffix + ".png");
        if (!widget->grab().save(path)) {
            Fail(skin, "cannot be saved");
        } else {
            std::printf("%s\n", qPrintable(path));
        }
    }

    void Fail(std::u16string_view skin, const char* what) {
        std::fprintf(stderr, "%s %s\n", qPrintable(ToQ(skin)), what);
        failed_ = true;
    }

    QString out_dir_;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <res folder> <output folder>\n", argv[0]);
        return 2;
    }
    const QString res_dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString out_dir = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(out_dir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    CPaintManagerUI::SetResourcePath(FromQ(res_dir + "/"));
    CResourceManager::GetInstance().LoadLanguage(QDir(res_dir).filePath("lan.xml").toStdString());

    Gallery gallery(out_dir);
    for (const auto skin : kWindowSkins) gallery.Window(skin);
    for (const auto skin : kMenuSkins) gallery.Menu(skin);
    gallery.RowTemplate(u"keylistitem.xml");
    return gallery.ExitCode();
}
