// A skinned window under a real window manager (run by with-desktop.sh on a virtual screen): a
// click on its face must leave it where it is. A window manager asked to move a window when
// the button is up already moves it with the pointer until the next click.
#include "SkinnedDialog.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <optional>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;
const std::string kLanguage = "en-US";

class FaceOnly : public skin::SkinnedDialog {
public:
    explicit FaceOnly(const skin::SkinResources& resources)
        : SkinnedDialog(resources, kLanguage, 1.0F, nullptr, Qt::Window) {
        QImage face(kWidth, kHeight, QImage::Format_RGB32);
        face.fill(QColor(40, 40, 40));
        openSkin({face, face, face}, QColor(0, 0, 255), {kWidth, kHeight}, {});
    }
};

// Runs xdotool with the arguments, handling what comes to the window meanwhile; its output,
// or nothing where xdotool cannot be run.
std::optional<QString> Xdotool(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForStarted()) {
        return std::nullopt;
    }
    while (xdotool.state() != QProcess::NotRunning) {
        QTest::qWait(5);
    }
    if (xdotool.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(xdotool.readAllStandardOutput());
}

// Where the window is on the X server: the program's own idea of it lags while a window
// manager moves it.
QPoint ServerPosition(const QWidget& window) {
    const std::optional<QString> shell =
        Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                 QString::number(window.winId())});
    QPoint position(-1, -1);
    for (const QString& line : shell.value_or(QString()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("X="))) {
            position.setX(line.mid(2).toInt());
        } else if (line.startsWith(QLatin1String("Y="))) {
            position.setY(line.mid(2).toInt());
        }
    }
    return position;
}

// The X server's pointer goes its way with no button held, as after any click.
void WanderFrom(const QPoint& start) {
    for (int step = 1; step <= 3; ++step) {
        QTest::qWait(100);
        const QPoint to = start + QPoint(60 * step, 40 * step);
        static_cast<void>(Xdotool(
            {QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y())}));
    }
    QTest::qWait(200);
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private slots:
    void clicksOnTheFaceLeaveTheWindowInPlace_data() {
        QTest::addColumn<int>("clicks");
        QTest::newRow("click") << 1;
        QTest::newRow("double click") << 2;
        QTest::newRow("triple click") << 3;
    }

    void clicksOnTheFaceLeaveTheWindowInPlace() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs a window manager (tests/app/with-desktop.sh)");
        }
        QFETCH(int, clicks);
        skin::SkinResources resources;
        FaceOnly window(resources);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);  // the window manager places it
        const QPoint placed = ServerPosition(window);
        const QPoint at = window.mapToGlobal(QPoint(40, 40));
        // Real clicks of the X server's pointer, handled as they come: the window manager
        // sees the button go up.
        if (!Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                      QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(clicks),
                      QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")})) {
            QSKIP("needs xdotool");
        }
        WanderFrom(at);
        const QPoint after = ServerPosition(window);
        // A window left moving would take the next test's click: end it here.
        static_cast<void>(Xdotool({QStringLiteral("click"), QStringLiteral("1")}));
        QCOMPARE(after, placed);
    }

    void aDragWithTheButtonHeldMovesTheWindow() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs a window manager (tests/app/with-desktop.sh)");
        }
        skin::SkinResources resources;
        FaceOnly window(resources);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);
        const QPoint placed = ServerPosition(window);
        const QPoint at = window.mapToGlobal(QPoint(40, 40));
        const auto step = [](const QPoint& to) {
            return QStringList{QStringLiteral("mousemove"), QString::number(to.x()),
                               QString::number(to.y()), QStringLiteral("sleep"),
                               QStringLiteral("0.1")};
        };
        QStringList drag = step(at);
        drag << QStringLiteral("mousedown") << QStringLiteral("1");
        drag << step(at + QPoint(10, 5)) << step(at + QPoint(50, 30)) << step(at + QPoint(80, 40));
        drag << QStringLiteral("mouseup") << QStringLiteral("1");
        if (!Xdotool(drag)) {
            QSKIP("needs xdotool");
        }
        QTest::qWait(200);
        QVERIFY(ServerPosition(window) != placed);
    }
};

QTEST_MAIN(WindowManagerTest)
#include "WindowManagerTest.moc"
