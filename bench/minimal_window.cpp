// The yardstick for start-up time and memory: a plain Qt window of the same
// size and title that shows one line of text, so that fonts load too.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zolta iacta est"));
    window.setFixedSize(306, 202);
    QLabel line(QStringLiteral("Wähle einen Bereich aus!"), &window);
    line.move(48, 72);
    window.show();
    return QApplication::exec();
}
