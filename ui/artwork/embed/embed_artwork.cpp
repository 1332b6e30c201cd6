// Build step: turns the checked-in PNGs into a C++ source of ready pixels,
// so the program decodes nothing (and loads no image plugin) before its
// first window maps.
//
//   embed_artwork OUTPUT.cpp PICTURES_DIR LIST_FILE
//
// LIST_FILE names one picture per line, relative to PICTURES_DIR. Each loads
// as the decoder hands it over, down to the format; a 32-bit RGB picture of
// at most 256 colours is stored as one byte a pixel with its colour table
// and turned back into the decoder's format when loaded.
#include <QFile>
#include <QHash>
#include <QImage>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

struct Stored {
  QImage image;  // Indexed8, or the decoded format itself
  QImage::Format decodedFormat;
  QByteArray bytes;  // the image's lines as written out
  bool deflated = false;
};

// Indexed8 of exactly the image's colours in first-seen order, or a null
// image if there are more than 256 of them.
QImage indexed(const QImage &decoded) {
  const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
  QImage out(argb.size(), QImage::Format_Indexed8);
  QHash<QRgb, int> index;
  QList<QRgb> table;
  for (int y = 0; y < argb.height(); ++y) {
    const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
    uchar *target = out.scanLine(y);
    for (int x = 0; x < argb.width(); ++x) {
      auto found = index.constFind(line[x]);
      if (found == index.constEnd()) {
        if (table.size() == 256) return {};
        found = index.insert(line[x], static_cast<int>(table.size()));
        table.append(line[x]);
      }
      target[x] = static_cast<uchar>(*found);
    }
  }
  out.setColorTable(table);
  return out;
}

// Only opaque 32-bit RGB pictures are indexed: every colour of theirs
// survives the table exactly. Any other format is stored as the decoder gave
// it; straight ARGB32 in particular is the format of the icon's theme sizes,
// which start-up hands to the X server as they are, and expanding them from
// one byte a pixel there would cost more than the bytes saved on disk.
Stored store(const QImage &decoded) {
  const QImage::Format format = decoded.format();
  if (format != QImage::Format_RGB32) return {decoded, format, {}};
  const QImage small = indexed(decoded);
  return {small.isNull() ? decoded : small, format, {}};
}

// Only the bytes each line holds, each line padded to 32 bits as Qt wants.
QByteArray packedLines(const QImage &image) {
  const qsizetype used = (image.width() * image.depth() + 7) / 8;
  const qsizetype stride = (used + 3) / 4 * 4;
  QByteArray bytes(stride * image.height(), '\0');
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(bytes.data() + y * stride, image.constScanLine(y), static_cast<size_t>(used));
  return bytes;
}

void writeBytes(QTextStream &out, const QByteArray &bytes) {
  for (qsizetype i = 0; i < bytes.size(); ++i)
    out << static_cast<unsigned char>(bytes[i]) << (i % 32 == 31 ? ",\n" : ",");
}

}  // namespace

int main(int argc, char *argv[]) {
  QTextStream err(stderr);
  if (argc != 4) {
    err << "usage: embed_artwork OUTPUT.cpp PICTURES_DIR LIST_FILE\n";
    return EXIT_FAILURE;
  }
  const QString root = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
  QFile list(QString::fromLocal8Bit(argv[3]));
  if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
    err << "cannot read " << list.fileName() << '\n';
    return EXIT_FAILURE;
  }
  QStringList names;
  for (const QByteArray &line : list.readAll().split('\n'))
    if (!line.trimmed().isEmpty()) names.append(QString::fromUtf8(line.trimmed()));

  // What the first window shows (the icon, the plans at 1x) is written
  // together and the sharp plans apart from it, so the pages the kernel maps
  // in around the ones start-up reads hold little else.
  const auto rank = [](const QString &name) {
    return name.contains(QLatin1String("@2x")) ? 2 : name.startsWith(QLatin1String("artwork/"));
  };
  std::stable_sort(names.begin(), names.end(),
                   [&](const QString &a, const QString &b) { return rank(a) < rank(b); });

  QString text;
  QTextStream out(&text);
  out << "// Made by embed_artwork from the PNGs under ui/artwork/pictures at build time.\n"
         "#include \"ui/artwork/embedded_artwork.h\"\n\nnamespace {\n\n";
  QList<Stored> all;
  for (qsizetype i = 0; i < names.size(); ++i) {
    const QImage decoded(root + names[i]);
    if (decoded.isNull()) {
      err << "cannot decode " << root + names[i] << '\n';
      return EXIT_FAILURE;
    }
    Stored &art = all.emplace_back(store(decoded));
    // The sharp plans are only drawn on a high-resolution screen, and after
    // the first window is up: they are stored deflated, which keeps the
    // program small to read from disk, and inflated when first drawn. What
    // start-up reads stays as it is, so that nothing is inflated before the
    // window maps.
    art.deflated = rank(names[i]) == 2;
    art.bytes = packedLines(art.image);
    if (art.deflated) art.bytes = qCompress(art.bytes, 9);
    out << "alignas(4) const unsigned char kPixels" << i << "[] = {\n";
    writeBytes(out, art.bytes);
    out << "};\n";
    out << "const unsigned int kColours" << i << "[] = {";
    for (const QRgb colour : art.image.colorTable()) out << colour << "u,";
    if (art.image.colorTable().isEmpty()) out << '0';
    out << "};\n\n";
  }
  out << "const EmbeddedArtwork kAll[] = {\n";
  for (qsizetype i = 0; i < names.size(); ++i) {
    const Stored &art = all[i];
    out << "    {\"" << names[i] << "\", " << art.image.width() << ", " << art.image.height()
        << ", " << int(art.image.format()) << ", " << int(art.decodedFormat) << ", kPixels" << i
        << ", " << art.bytes.size() << ", " << (art.deflated ? "true" : "false") << ", kColours"
        << i << ", " << art.image.colorCount() << "},\n";
  }
  out << "};\n\n}  // namespace\n\n"
         "std::span<const EmbeddedArtwork> embeddedArtwork() { return kAll; }\n";
  out.flush();

  QFile target(QString::fromLocal8Bit(argv[1]));
  const QByteArray bytes = text.toUtf8();
  if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      target.write(bytes) != bytes.size()) {
    err << "cannot write " << target.fileName() << '\n';
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
