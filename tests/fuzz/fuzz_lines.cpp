// Feeds arbitrary bytes, and bounds taken from the first four, to the line
// readers that every file reader uses, reading in pieces of 1 to 32 bytes:
// within the bounds they give what splitting and decoding the wanted lines
// as a whole file gives; a line past the bound is cut to it, decoded as the
// other lines are.
#include "config/LegacyText.h"

#include "FuzzFile.h"

#include <QStringDecoder>

#include <cstdlib>

namespace {

QString asUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

// Windows-1252, whatever the bytes: a byte that is never UTF-8 goes first.
QString asWindows1252(const QByteArray &bytes) { return lorva::legacy::decodeText("\xFF" + bytes).mid(1); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lorva;
    if (size < 4)
        return 0;
    const int maxLines = data[0] % 16;
    const qsizetype maxLineBytes = data[1] % 64;
    const qsizetype readBytes = 1 + data[2] % 32;
    const bool fromEnd = data[3] & 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    const QString &folder = fuzz::folder("Data");
    const QString path = folder + "/Data/lines.txt";
    fuzz::writeInput(path, data + 4, size - 4);

    const QList<QByteArray> all = fuzz::byteLines(bytes);
    if (legacy::splitLines(legacy::decodeText(bytes.toByteArray())).size() != all.size())
        std::abort();
    const qsizetype count = qMin<qsizetype>(maxLines, all.size());
    const QList<QByteArray> wanted = fromEnd ? all.mid(all.size() - count) : all.mid(0, count);
    const std::optional<QStringList> read = fromEnd
                                                ? legacy::readLastTextLines(path, maxLines, maxLineBytes, readBytes)
                                                : legacy::readTextLines(path, maxLines, maxLineBytes, readBytes);
    if (!read || read->size() != wanted.size())
        std::abort();

    bool cut = false;
    QByteArray file = "\xEF\xBB\xBF";
    for (const QByteArray &line : wanted) {
        cut = cut || line.size() > maxLineBytes;
        file += line + "\r\n";
    }
    if (!cut) {
        if (*read != legacy::splitLines(legacy::decodeText(file)))
            std::abort();
        return 0;
    }
    // Each line is the beginning of its whole line, all in one decoding.
    bool utf8 = true, windows1252 = true;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const QString &line = read->at(i);
        if (line.size() > maxLineBytes)
            std::abort();
        utf8 = utf8 && asUtf8(wanted[i]).startsWith(line);
        windows1252 = windows1252 && asWindows1252(wanted[i]).startsWith(line);
    }
    if (!utf8 && !windows1252)
        std::abort();
    return 0;
}
