// The pictures built into the program, read from its resources: two
// baseline colour JPEGs and the icon's four images, checked through Qt and
// against the files' own headers.
#include <QFile>
#include <QImageReader>
#include <QTest>

namespace {

QByteArray resource(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
int u8(const QByteArray& data, qsizetype at) { return at < data.size() ? quint8(data[at]) : -1; }
int be16(const QByteArray& data, qsizetype at) { return u8(data, at) << 8 | u8(data, at + 1); }
int le16(const QByteArray& data, qsizetype at) { return u8(data, at + 1) << 8 | u8(data, at); }
int le32(const QByteArray& data, qsizetype at) { return le16(data, at + 2) << 16 | le16(data, at); }

// The offset of the JPEG's first frame header (SOFn) before its scan, or -1.
qsizetype frame_header(const QByteArray& data) {
  if (be16(data, 0) != 0xFFD8) return -1;
  for (qsizetype at = 2; u8(data, at) == 0xFF && u8(data, at + 1) != 0xDA;
       at += 2 + be16(data, at + 2)) {
    const int marker = u8(data, at + 1);
    if ((marker & 0xF0) == 0xC0 && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) return at;
  }
  return -1;
}

}  // namespace

class ImagesTest : public QObject {
  Q_OBJECT

 private slots:
  void jpegs_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("banner") << ":/images/banner.jpg" << QSize(380, 88);
    QTest::newRow("QR code") << ":/images/qr-code.jpg" << QSize(128, 128);
  }
  void jpegs() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(path);
    QCOMPARE(reader.format(), "jpeg");
    QCOMPARE(reader.size(), size);
    const QByteArray data = resource(path);
    const qsizetype frame = frame_header(data);
    QVERIFY2(frame > 0, "no frame header before the scan");
    QCOMPARE(u8(data, frame + 1), 0xC0);  // baseline; 0xC2 would be progressive
    QCOMPARE(u8(data, frame + 4), 8);     // bits per sample
    QCOMPARE(be16(data, frame + 5), size.height());
    QCOMPARE(be16(data, frame + 7), size.width());
    QCOMPARE(u8(data, frame + 9), 3);  // colour components
  }

  void icon_images_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("bits");
    QTest::newRow("first: small, with a palette") << 0 << 24 << 8;
    QTest::newRow("second: large") << 1 << 128 << 32;
    QTest::newRow("third: medium") << 2 << 48 << 32;
    QTest::newRow("last: small, full colour") << 3 << 24 << 32;
  }
  void icon_images() {
    QFETCH(int, index);
    QFETCH(int, side);
    QFETCH(int, bits);
    QImageReader reader(QStringLiteral(":/images/varostel.ico"));
    QCOMPARE(reader.imageCount(), 4);
    QVERIFY(reader.jumpToImage(index));
    QCOMPARE(reader.read().size(), QSize(side, side));

    const QByteArray data = resource(QStringLiteral(":/images/varostel.ico"));
    QCOMPARE(QList<int>({le16(data, 0), le16(data, 2), le16(data, 4)}), QList<int>({0, 1, 4}));
    const qsizetype entry = 6 + 16 * index;  // width, height (0 for 256), ..., bits at 6
    QCOMPARE(u8(data, entry) == 0 ? 256 : u8(data, entry), side);
    QCOMPARE(le16(data, entry + 6), bits);
    const qsizetype image = le32(data, entry + 12);
    if (data.mid(image, 4) == "\x89PNG") {  // IHDR: bit depth 8 with colour type 6, RGBA
      QCOMPARE(u8(data, image + 24) * (u8(data, image + 25) == 6 ? 4 : 3), bits);
    } else {  // BITMAPINFOHEADER: size 40, width, height of colour and mask rows
      QCOMPARE(QList<int>({le32(data, image), le32(data, image + 4), le32(data, image + 8)}),
               QList<int>({40, side, 2 * side}));
      QCOMPARE(le16(data, image + 14), bits);
    }
  }
};

QTEST_MAIN(ImagesTest)
#include "images_test.moc"
