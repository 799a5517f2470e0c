// The skinned-window mechanics on a small window of their own: scaling, hit test and click
// rule, dragging, hover and selected looks, captions, Enter and Escape, posted messages.
#include "DeviceMessages.h"
#include "DialogLook.h"
#include "DialogService.h"
#include "MessageGate.h"
#include "OrvoHWI.h"
#include "SkinParts.h"
#include "SkinnedDialog.h"
#include "SmoothEnlarger.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

using skin::HitArea;
using skin::SkinItem;
using testkit::Element;

namespace {

const QColor kBackground(10, 10, 10);
const QColor kHover(200, 0, 0);
const QColor kSelected(0, 200, 0);
const QColor kColorKey(0, 0, 255);
constexpr int kWidth = 200;
constexpr int kHeight = 100;

QImage Filled(const QColor& color) {
    return testkit::FilledPicture(QSize(kWidth, kHeight), color);
}

SkinItem Label(int id, skin::DesignRect rect, const wchar_t* zh, const wchar_t* en) {
    SkinItem item = Element(id, rect);
    item.isLabel = true;
    item.captions["zh-CN"] = zh;
    item.captions["en-US"] = en;
    return item;
}

class TestWindow : public skin::SkinnedDialog {
public:
    TestWindow(const skin::SkinResources& resources, const std::string& language, float scale)
        : SkinnedDialog(resources, language, scale, nullptr, Qt::Dialog) {}

    void openFace(std::vector<SkinItem> items, bool withPictures = true) {
        skin::SkinFaces faces;
        if (withPictures) {
            faces = {Filled(kBackground), Filled(kHover), Filled(kSelected)};
        }
        openSkin(faces, kColorKey, {kWidth, kHeight}, std::move(items));
    }
    void openFace(const skin::SkinFaces& faces, std::vector<SkinItem> items) {
        openSkin(faces, kColorKey, {kWidth, kHeight}, std::move(items));
    }
    using SkinnedDialog::replaceFaces;

    std::vector<int> clicks;
    std::vector<std::uint32_t> received;

protected:
    void itemClicked(SkinItem& item) override { clicks.push_back(item.id); }
    void messageReceived(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
        received.push_back(message);
    }
};

// The resource file the build made beside the tests.
QString ArtworkFile() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Z9RT(PRSM)BleRES.rcc");
}

// A window whose window manager takes every move it is asked for.
class MovedByWindowManager : public TestWindow {
public:
    MovedByWindowManager(const skin::SkinResources& resources, const std::string& language)
        : TestWindow(resources, language, 1.0F) {}
    int moveRequests = 0;

protected:
    bool askWindowManagerToMove() override {
        ++moveRequests;
        return true;
    }
};

// A picture of that resource file.
QImage ArtworkPicture(int id) {
    skin::SkinResources resources;
    resources.loadResourceFile(ArtworkFile());
    return resources.image(id);
}

bool HasPixelOf(const QImage& image, const QRect& area, const QColor& color) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == color) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class SkinTest : public QObject {
    Q_OBJECT

private:
    skin::SkinResources resources_;
    std::string language_ = "zh-CN";

private slots:
    void init() { language_ = "zh-CN"; }

    void scalesElementsButNotLabels() {
        TestWindow window(resources_, language_, 1440.0F / 1080.0F);
        window.openFace({Element(1, {10, 10, 40, 40}), Label(2, {10, 50, 90, 70}, L"中", L"en")});
        QCOMPARE(window.size(), QSize(266, 133));
        const skin::DesignRect scaled = window.items()[0].rect;
        QCOMPARE(scaled.left, 13);
        QCOMPARE(scaled.top, 13);
        QCOMPARE(scaled.right, 53);
        QCOMPARE(scaled.bottom, 53);
        QCOMPARE(window.items()[1].rect.left, 10);
        QCOMPARE(window.items()[1].rect.bottom, 70);
        // The pictures' area of an element is its rectangle divided by the scale, truncated.
        QCOMPARE(window.designArea(window.items()[0]), QRect(9, 9, 30, 30));
    }

    void scaleBelowOneCountsAsOne() {
        TestWindow window(resources_, language_, 0.5F);
        window.openFace({});
        QCOMPARE(window.scaleFactor(), 1.0F);
        QCOMPARE(window.size(), QSize(kWidth, kHeight));
    }

    void hitTestTellsElementsDragAreaAndSizingStrips() {
        TestWindow window(resources_, language_, 1.0F);
        window.openFace({Element(1, {10, 10, 40, 40}), Label(2, {50, 10, 90, 40}, L"a", L"a")});
        QCOMPARE(window.hitTest({20, 20}), HitArea::Client);
        QVERIFY(window.items()[0].hovered);
        QCOMPARE(window.lastMousePoint(), QPoint(20, 20));
        QCOMPARE(window.hitTest({60, 20}), HitArea::Caption);  // a label never answers
        QVERIFY(!window.items()[0].hovered);
        QCOMPARE(window.hitTest({100, 50}), HitArea::Caption);
        QCOMPARE(window.hitTest({kWidth - 5, 50}), HitArea::Right);
        QCOMPARE(window.hitTest({kWidth - 6, 50}), HitArea::Caption);
        QCOMPARE(window.hitTest({100, kHeight - 5}), HitArea::Bottom);
        QCOMPARE(window.hitTest({kWidth - 1, kHeight - 1}), HitArea::BottomRight);
    }

    void clickGoesToFirstElementAndNeverToLabelsOrUnusedIds() {
        TestWindow window(resources_, language_, 1.0F);
        window.openFace({Element(0, {0, 0, 100, 100}), Element(-1, {0, 0, 100, 100}),
                         Label(3, {0, 0, 100, 100}, L"x", L"x"), Element(4, {10, 10, 60, 60}),
                         Element(5, {30, 30, 90, 90})});
        window.show();
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(40, 40));
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(80, 80));
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(window.clicks, (std::vector<int>{4, 5}));
    }

    void pressOnFreeAreaDragsAndNeverClicks() {
        TestWindow window(resources_, language_, 1.0F);
        window.openFace({Element(1, {100, 10, 150, 60})});
        window.show();
        const QPoint start = window.pos();
        QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(&window, QPoint(50, 40));
        QCOMPARE(window.pos(), start + QPoint(30, 20));
        // Released over the element: still no click, the press was on the face.
        QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(120, 30) - QPoint(30, 20));
        QVERIFY(window.clicks.empty());
    }

    // A window manager asked to move the window when the button is already up moves it with
    // the pointer until the next click: the face asks only once the pointer moves with the
    // button held, never for a click, a double or a triple click.
    void theWindowManagerMovesTheWindowOnlyForADrag() {
        struct Case {
            const char* name;
            std::function<void(QWidget&)> gesture;
            int requests;
        };
        const QPoint face(20, 20);
        const Case cases[] = {
            {"click", [&](QWidget& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, face); }, 0},
            {"triple click",
             [&](QWidget& w) {
                 QTest::mouseClick(&w, Qt::LeftButton, {}, face);
                 QTest::mouseDClick(&w, Qt::LeftButton, {}, face);
                 QTest::mouseClick(&w, Qt::LeftButton, {}, face);
             },
             0},
            {"a tremor under the drag distance",
             [&](QWidget& w) {
                 QTest::mousePress(&w, Qt::LeftButton, {}, face);
                 QTest::mouseMove(&w, face + QPoint(1, 1));
                 QTest::mouseRelease(&w, Qt::LeftButton, {}, face + QPoint(1, 1));
             },
             0},
            {"a drag",
             [&](QWidget& w) {
                 QTest::mousePress(&w, Qt::LeftButton, {}, face);
                 QTest::mouseMove(&w, face + QPoint(10, 0));
                 QTest::mouseMove(&w, face + QPoint(30, 0));
                 QTest::mouseRelease(&w, Qt::LeftButton, {}, face + QPoint(30, 0));
             },
             1},
        };
        for (const Case& c : cases) {
            MovedByWindowManager window(resources_, language_);
            window.openFace({Element(1, {100, 10, 150, 60})});
            window.show();
            c.gesture(window);
            QVERIFY2(window.moveRequests == c.requests, c.name);
            QVERIFY2(window.clicks.empty(), c.name);
        }
    }

    void sizingStripResizesWithoutScalingTheContent() {
        TestWindow window(resources_, language_, 1.0F);
        window.openFace({});
        window.show();
        QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(kWidth - 2, kHeight - 2));
        QTest::mouseMove(&window, QPoint(kWidth + 18, kHeight + 8));
        QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(kWidth + 18, kHeight + 8));
        QCOMPARE(window.size(), QSize(kWidth + 20, kHeight + 10));
        QCOMPARE(window.composeFace().size(), QSize(kWidth, kHeight));
    }

    void hoverAndSelectedLooksComeFromTheirPictures() {
        TestWindow window(resources_, language_, 1.0F);
        window.openFace({Element(1, {10, 10, 40, 40}), Element(2, {50, 10, 80, 40})});
        window.items()[1].isSelected = true;
        window.hitTest({20, 20});
        QImage face = window.composeFace();
        QCOMPARE(face.pixelColor(25, 25), kHover);
        QCOMPARE(face.pixelColor(65, 25), kSelected);
        QCOMPARE(face.pixelColor(45, 25), kBackground);
        window.hitTest({100, 80});
        face = window.composeFace();
        QCOMPARE(face.pixelColor(25, 25), kBackground);
    }

    void captionsFollowTheLanguageAndTheSelection() {
        TestWindow window(resources_, language_, 1.0F);
        SkinItem label = Label(1, {0, 0, 120, 40}, L"中文", L"English");
        label.selectedTextColor = QColor(0, 255, 0);
        window.openFace({label});
        const QRect area(0, 0, 120, 40);
        QCOMPARE(window.findItem(1)->caption(language_), std::wstring(L"中文"));
        const QImage chinese = window.composeFace();
        language_ = "en-US";
        const QImage english = window.composeFace();
        QVERIFY(chinese != english);
        QVERIFY(!HasPixelOf(english, area, QColor(0, 255, 0)));
        window.findItem(1)->isSelected = true;
        // Selected, a label is drawn over its area of the selected picture in its other colour.
        const QImage selected = window.composeFace();
        QVERIFY(HasPixelOf(selected, area, QColor(0, 255, 0)));
        QVERIFY(HasPixelOf(selected, area, kSelected));
    }

    // A caption wider than its element is drawn smaller, whole, rather than cut at the edges.
    void longCaptionsShrinkToFitTheirElement() {
        TestWindow window(resources_, language_, 1.0F);
        SkinItem label = Label(1, {40, 30, 143, 46}, L"左键双击", L"Left Double Click");
        label.textColor = QColor(255, 255, 0);
        window.openFace({label});
        language_ = "en-US";
        const QImage face = window.composeFace();
        const auto inked = [&](int fromX, int toX) {
            for (int x = fromX; x <= toX; ++x) {
                for (int y = 30; y < 46; ++y) {
                    if (face.pixelColor(x, y) != kBackground) {
                        return true;
                    }
                }
            }
            return false;
        };
        QVERIFY(inked(60, 120));                      // the text is there
        QVERIFY(!inked(40, 40) && !inked(142, 142));  // and reaches neither edge
    }

    // The real popup menu, chosen from with the keyboard: a command of a submenu comes back.
    void popupMenuGivesTheChosenCommand() {
        skin::QtDialogService service;
        const std::vector<skin::MenuEntry> entries{
            {QStringLiteral("Left"),
             -1,
             {{QStringLiteral("Press"), 11, {}}, {QStringLiteral("Click"), 12, {}}}},
            {QStringLiteral("Delete"), 20, {}}};
        QTimer keys;
        int step = 0;
        QStringList seen;
        QObject::connect(&keys, &QTimer::timeout, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            if (popup == nullptr) {
                return;
            }
            if (step == 0) {
                for (QAction* action : popup->actions()) {
                    seen << action->text();
                }
            }
            const Qt::Key sequence[] = {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return};
            if (step < 4) {
                QTest::keyClick(popup, sequence[step++]);
            }
        });
        keys.start(50);
        QCOMPARE(service.popupMenu(nullptr, entries, QPoint(100, 100)), std::optional<int>(12));
        QCOMPARE(seen, (QStringList{"Left", "Delete"}));
        // Closed without a choice: no command.
        step = 4;
        QTimer::singleShot(100, [] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                QTest::keyClick(popup, Qt::Key_Escape);
            }
        });
        QCOMPARE(service.popupMenu(nullptr, entries, QPoint(100, 100)), std::nullopt);
    }

    void missingPicturesGiveABlankFaceOfTheWindowsSize() {
        TestWindow window(resources_, language_, 1.0F);
        window.openFace({Element(1, {10, 10, 40, 40})}, false);
        window.hitTest({20, 20});
        const QImage face = window.composeFace();
        QCOMPARE(face.size(), QSize(kWidth, kHeight));
        QCOMPARE(face.pixelColor(20, 20), face.pixelColor(100, 80));
    }

    void enterAndEscapeEndTheWindow() {
        TestWindow window(resources_, language_, 1.0F);
        window.openFace({});
        window.QDialog::open();
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(window.result(), skin::SkinnedDialog::kResultOk);
        window.QDialog::open();
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(window.result(), skin::SkinnedDialog::kResultCancel);
    }

    void postedMessagesReachAnOpenWindowOnly() {
        device_messages::Install();
        auto window = std::make_unique<TestWindow>(resources_, language_, 1.0F);
        const WindowHandle handle = window->messageHandle();
        QVERIFY(PostWindowMessage(handle, WM_DEVICE_PROGRESS, 3, 0) ||
                skin::message_gate::Post(handle, WM_DEVICE_PROGRESS, 3, 0));
        QTRY_VERIFY(!window->received.empty());
        QCOMPARE(window->received.front(), WM_DEVICE_PROGRESS);
        window.reset();
        QVERIFY(!skin::message_gate::Post(handle, WM_DEVICE_DONE, 0, 0));
        // A new window never receives what was meant for the closed one.
        TestWindow next(resources_, language_, 1.0F);
        QVERIFY(next.messageHandle() != handle);
        QVERIFY(!skin::message_gate::Post(handle, WM_DEVICE_DONE, 0, 0));
    }

    void postingWhileTheWindowCloses() {
        // A worker keeps posting while windows open and close under it; with the sanitizers on
        // this shows that no post touches a window that is gone.
        for (int round = 0; round < 20; ++round) {
            auto window = std::make_unique<TestWindow>(resources_, language_, 1.0F);
            const WindowHandle handle = window->messageHandle();
            std::atomic<bool> stop{false};
            std::thread worker([&] {
                while (!stop) {
                    skin::message_gate::Post(handle, WM_DEVICE_PROGRESS, 1, 0);
                }
            });
            QCoreApplication::processEvents();
            window.reset();
            stop = true;
            worker.join();
            QCoreApplication::processEvents();
        }
    }

    void resourcesTellWhatIsMissing() {
        skin::SkinResources resources;
        QVERIFY(!resources.loadResourceFile(QStringLiteral("/nonexistent/none.rcc")));
        resources.checkImages({101, 139, 101});
        QCOMPARE(resources.missingImages(), (std::vector<int>{101, 139}));
        QVERIFY(resources.image(101).isNull());
        QCOMPARE(resources.font(13).pixelSize(), 13);
        QCOMPARE(resources.font(49).pixelSize(), 49);
        QCOMPARE(resources.editBrush().color(), QColor(20, 20, 20));
    }

    void picturesAreDecodedWhenDrawnFromAndGoWithTheirLastHolder() {
        skin::SkinResources resources;
        QVERIFY(resources.loadResourceFile(ArtworkFile()));
        resources.checkImages({139, 140, 99999});
        QCOMPARE(resources.missingImages(), std::vector<int>{99999});
        QVERIFY(resources.decodedImages().empty());  // looking for pictures decodes none

        skin::SkinPicture first = resources.picture(139);
        skin::SkinPicture second = resources.picture(139);
        QVERIFY(resources.decodedImages().empty());  // handed out, not yet drawn from
        QCOMPARE(first.image().size(), QSize(370, 250));
        QCOMPARE(first.image().format(), QImage::Format_RGB32);
        QCOMPARE(resources.decodedImages(), std::vector<int>{139});
        // Decoded once for both holders.
        QCOMPARE(second.image().constBits(), first.image().constBits());
        first = skin::SkinPicture();
        QCOMPARE(resources.decodedImages(), std::vector<int>{139});
        second = skin::SkinPicture();
        QVERIFY(resources.decodedImages().empty());

        QVERIFY(resources.picture(99999).image().isNull());
        QVERIFY(resources.decodedImages().empty());
        // Pictures kept stay decoded without any holder, once each.
        resources.keepDecoded({140, 140});
        QCOMPARE(resources.decodedImages(), std::vector<int>{140});
        QVERIFY(!resources.image(140).isNull());
    }

    void aWindowDecodesItsLooksWhenDrawnAndReleasesThemAsItCloses() {
        skin::SkinResources resources;
        QVERIFY(resources.loadResourceFile(ArtworkFile()));
        const auto faces = [&resources](int background, int hover, int selected) {
            return skin::SkinFaces{resources.picture(background), resources.picture(hover),
                                   resources.picture(selected)};
        };
        const auto decoded = [&resources] { return resources.decodedImages(); };
        auto window = std::make_unique<TestWindow>(resources, language_, 1.0F);
        window->openFace(faces(139, 140, 141), {Element(1, {10, 10, 40, 40})});
        QCOMPARE(decoded(), std::vector<int>{139});
        static_cast<void>(window->composeFace());
        QCOMPARE(decoded(), std::vector<int>{139});
        window->hitTest(QPoint(20, 20));
        static_cast<void>(window->composeFace());
        QCOMPARE(decoded(), (std::vector<int>{139, 140}));
        window->items()[0].isSelected = true;
        static_cast<void>(window->composeFace());
        QCOMPARE(decoded(), (std::vector<int>{139, 140, 141}));
        // Another page: the pictures shown before stay while the window is open.
        window->replaceFaces(faces(128, 129, 130));
        QCOMPARE(decoded(), (std::vector<int>{128, 139, 140, 141}));
        window->replaceFaces(faces(139, 140, 141));
        window->replaceFaces(faces(128, 129, 130));
        QCOMPARE(decoded(), (std::vector<int>{128, 139, 140, 141}));
        window.reset();
        QVERIFY(decoded().empty());
    }

    void qtDialogsSpeakTheWindowsLanguageInTheirLook_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("yes");
        QTest::addColumn<QString>("fileNameLabel");
        QTest::newRow("Chinese") << "zh-CN" << QStringLiteral("是(&Y)")
                                 << QStringLiteral("文件名称(&N)：");
        QTest::newRow("English") << "en-US" << QStringLiteral("&Yes")
                                 << QStringLiteral("File &name:");
    }

    void qtDialogsSpeakTheWindowsLanguageInTheirLook() {
        QFETCH(QString, language);
        QFETCH(QString, yes);
        QFETCH(QString, fileNameLabel);
        skin::QtDialogService dialogs;
        dialogs.setLanguage(language.toStdString());
        const QColor face = skin::DialogPalette().color(QPalette::Window);

        QString yesText;
        QColor boxFace;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            yesText = box->button(QMessageBox::Yes)->text();
            boxFace = box->palette().color(QPalette::Window);
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(dialogs.message(nullptr, QStringLiteral("?"), QStringLiteral("Z9RT"),
                                skin::MessageButtons::YesNo,
                                skin::MessageIcon::Question) == skin::MessageAnswer::No);
        QCOMPARE(yesText, yes);
        QCOMPARE(boxFace, face);

        QStringList labels;
        QSize size;
        int nameColumn = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            for (const QLabel* label : dialog->findChildren<QLabel*>()) {
                labels << label->text();
            }
            size = dialog->size();
            nameColumn = dialog->findChild<QTreeView*>()->header()->sectionSize(0);
            dialog->reject();
        });
        QVERIFY(dialogs
                    .saveFileName(nullptr,
                                  {QStringLiteral("pro(*.pro)|*.pro||"), QStringLiteral("pro")})
                    .isEmpty());
        QVERIFY2(labels.contains(fileNameLabel), qPrintable(labels.join(QLatin1Char('|'))));
        // Wide enough for names, sizes, kinds and dates side by side.
        QCOMPARE(size, skin::FileDialogSize(nullptr));
        QVERIFY(size.width() >= 600);
        QVERIFY(nameColumn >= size.width() / 3);
        dialogs.setLanguage("en-US");
    }

    void enlargingGivesQtsSmoothScalingPixelForPixel_data() {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QSize>("size");
        QImage noise(97, 61, QImage::Format_RGB32);
        std::uint32_t seed = 12345;
        for (int y = 0; y < noise.height(); ++y) {
            for (int x = 0; x < noise.width(); ++x) {
                seed = seed * 1103515245U + 12345U;
                noise.setPixel(x, y, 0xFF000000U | (seed >> 8));
            }
        }
        const QImage face = ArtworkPicture(101);
        QVERIFY(!face.isNull());
        // The scales of screens 1080 (kept), 1440, 1620, 2160 and 2880 pixels high.
        for (const double scale : {1.0, 4.0 / 3.0, 1.5, 2.0, 8.0 / 3.0}) {
            for (const QImage& picture : {noise, face}) {
                const QSize size(static_cast<int>(picture.width() * static_cast<float>(scale)),
                                 static_cast<int>(picture.height() * static_cast<float>(scale)));
                QTest::addRow("%dx%d at %.3f", picture.width(), picture.height(), scale)
                    << picture << size;
            }
        }
        QTest::newRow("wider only") << noise << QSize(150, 61);
        QTest::newRow("taller only") << noise << QSize(97, 100);
    }

    void enlargingGivesQtsSmoothScalingPixelForPixel() {
        QFETCH(QImage, picture);
        QFETCH(QSize, size);
        const QImage qt = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
        const skin::SmoothEnlarger enlarger(picture.size(), size);
        QCOMPARE(enlarger.enlarged(picture), qt);
        // Any part computed on its own is that part of the whole.
        QImage parts(size, QImage::Format_RGB32);
        parts.fill(Qt::black);
        const int stepX = std::max(1, size.width() / 7);
        const int stepY = std::max(1, size.height() / 5);
        for (int y = 0; y < size.height(); y += stepY) {
            for (int x = 0; x < size.width(); x += stepX) {
                enlarger.enlarge(picture, parts, QRect(x, y, stepX, stepY));
            }
        }
        QCOMPARE(parts, qt);
    }

    void fileFiltersBecomeQtFilters() {
        QCOMPARE(skin::QtFilterFromPairs(QStringLiteral("pro(*.pro)|*.pro|All Files(*.*)|*.*||")),
                 QStringLiteral("pro(*.pro);;All Files(*)"));
        QCOMPARE(skin::QtFilterFromPairs(QStringLiteral("bin(*.bin)|*.bin||")),
                 QStringLiteral("bin(*.bin)"));
    }
};

QTEST_MAIN(SkinTest)
#include "SkinTest.moc"
