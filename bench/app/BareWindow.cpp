// The reference the program's start-up is measured against: a bare Qt widgets window of
// 960 x 640 with one label, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(960, 640);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("A bare Qt window")));
    window.show();
    return QApplication::exec();
}
