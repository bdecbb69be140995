// The window's icon decoder, checked against Qt's own icon plugin, and the
// pictures' formats.

#include "window/pictures.h"

#include <QFile>
#include <QImageReader>
#include <QTest>

class PicturesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldDecodeLikeQtsIconPlugin_data();
    void shouldDecodeLikeQtsIconPlugin();
    void shouldKeepTheirFormats_data();
    void shouldKeepTheirFormats();
    void shouldRefuseDamagedFiles_data();
    void shouldRefuseDamagedFiles();
};

namespace {

QByteArray resource(const QString &name)
{
    QFile file(QStringLiteral(":/assets/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing picture %s", qPrintable(name));
    return file.readAll();
}

int transparentPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) == 0 ? 1 : 0;
    }
    return count;
}

void addPictureRows()
{
    QTest::addColumn<QString>("name");
    for (const char *name : { "die.ico", "hand.ico", "pencil.ico", "lamp_grey.ico",
             "lamp_yellow.ico", "lamp_red.ico", "lamp_green.ico" })
        QTest::newRow(name) << QString::fromLatin1(name);
}

} // namespace

void PicturesTest::shouldDecodeLikeQtsIconPlugin_data()
{
    addPictureRows();
}

void PicturesTest::shouldDecodeLikeQtsIconPlugin()
{
    QFETCH(QString, name);
    if (!QImageReader::supportedImageFormats().contains("ico"))
        QSKIP("Qt's icon plugin is not installed");
    QImageReader reader(QStringLiteral(":/assets/") + name, "ico");
    const QByteArray data = resource(name);
    int images = 0;
    do {
        const QImage expected = reader.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!expected.isNull());
        const QImage decoded = pictures::decodeIcon(data, expected.width());
        QCOMPARE(decoded.size(), expected.size());
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb want = expected.pixel(x, y);
                const QRgb got = decoded.pixel(x, y);
                // Fully transparent pixels may differ in their hidden colour.
                if (qAlpha(want) == 0 && qAlpha(got) == 0)
                    continue;
                QVERIFY2(want == got,
                    qPrintable(QStringLiteral("pixel %1,%2: %3 against %4")
                                   .arg(x)
                                   .arg(y)
                                   .arg(got, 8, 16)
                                   .arg(want, 8, 16)));
            }
        }
        ++images;
    } while (reader.jumpToNextImage());
    QVERIFY(images >= 1);
}

void PicturesTest::shouldKeepTheirFormats_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("window icon: opaque") << "die.ico" << QList<int> { 32 } << false;
    QTest::newRow("hand") << "hand.ico" << QList<int> { 32, 16 } << true;
    QTest::newRow("pencil") << "pencil.ico" << QList<int> { 32, 16 } << true;
    for (const char *lamp :
        { "lamp_grey.ico", "lamp_yellow.ico", "lamp_red.ico", "lamp_green.ico" })
        QTest::newRow(lamp) << QString::fromLatin1(lamp) << QList<int> { 32 } << true;
}

void PicturesTest::shouldKeepTheirFormats()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, sizes);
    QFETCH(bool, transparent);
    const QByteArray data = resource(name);
    QCOMPARE(int(data.at(4)), sizes.size()); // images in the file
    for (const int size : sizes) {
        const QImage image = pictures::decodeIcon(data, size);
        QVERIFY2(!image.isNull(), qPrintable(QString::number(size)));
        QCOMPARE(transparentPixels(image) > 0, transparent);
    }
    if (name.startsWith(QLatin1String("lamp"))) {
        // A round lamp: the corners show the window, the middle is lit.
        const QImage lamp = pictures::decodeIcon(data, 32);
        QCOMPARE(qAlpha(lamp.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(lamp.pixel(31, 31)), 0);
        QCOMPARE(qAlpha(lamp.pixel(16, 16)), 255);
    }
}

void PicturesTest::shouldRefuseDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray lamp = resource(QStringLiteral("lamp_red.ico"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not an icon") << QByteArray("GIF89a and more bytes here");
    QTest::newRow("cut in the directory") << lamp.left(12);
    QTest::newRow("cut in the pixels") << lamp.left(lamp.size() / 2);
    QByteArray badOffset = lamp;
    badOffset[18] = char(0xff);
    badOffset[19] = char(0xff);
    QTest::newRow("image beyond the end") << badOffset;
    QByteArray badDepth = lamp;
    badDepth[22 + 14] = 7; // bits per pixel of the first image
    QTest::newRow("unknown depth") << badDepth;
}

void PicturesTest::shouldRefuseDamagedFiles()
{
    QFETCH(QByteArray, data);
    QVERIFY(pictures::decodeIcon(data, 32).isNull());
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
