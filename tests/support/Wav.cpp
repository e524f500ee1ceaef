#include "support/Wav.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <cmath>

namespace lorva::test {

Wav readWav(const QString &path)
{
    Wav wav;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return wav;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wav;
    // Walk the chunks: "fmt " then "data" (the command line tool writes the same).
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (id == "fmt ") {
            wav.channels = qFromLittleEndian<quint16>(body + 2);
            wav.sampleRate = int(qFromLittleEndian<quint32>(body + 4));
            wav.bitsPerSample = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            // The command line tool leaves the size open when writing to a pipe.
            const qsizetype available = bytes.size() - (at + 8);
            const qsizetype length = size == 0 || size > quint32(available) ? available : qsizetype(size);
            wav.samples.resize(size_t(length / 2));
            for (size_t i = 0; i < wav.samples.size(); ++i)
                wav.samples[i] = qFromLittleEndian<qint16>(body + 2 * i);
            wav.valid = true;
            break;
        }
        at += 8 + size + (size & 1);
    }
    return wav;
}

double correlation(const std::vector<qint16> &a, size_t aFrom, const std::vector<qint16> &b, size_t bFrom,
                   size_t count)
{
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < count && aFrom + i < a.size() && bFrom + i < b.size(); ++i) {
        const double x = a[aFrom + i], y = b[bFrom + i];
        ab += x * y;
        aa += x * x;
        bb += y * y;
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

std::vector<qint16> envelope(const std::vector<qint16> &samples, int sampleRate)
{
    const size_t frame = size_t(sampleRate / 100);
    std::vector<qint16> out;
    for (size_t at = 0; frame && at + frame <= samples.size(); at += frame) {
        double sum = 0;
        for (size_t i = at; i < at + frame; ++i)
            sum += double(samples[i]) * samples[i];
        out.push_back(qint16(std::min(32767.0, std::sqrt(sum / frame))));
    }
    return out;
}

double spokenSeconds(const Wav &wav)
{
    const int threshold = 300;
    size_t first = wav.samples.size(), last = 0;
    for (size_t i = 0; i < wav.samples.size(); ++i) {
        if (std::abs(wav.samples[i]) > threshold) {
            first = std::min(first, i);
            last = i;
        }
    }
    return first < last && wav.sampleRate ? double(last - first) / wav.sampleRate : 0;
}

Wav espeakReference(const QString &text, const QString &voice, const QString &folder)
{
    const QString path = folder + "/reference.wav";
    QProcess::execute("espeak-ng", {"-v", voice, "-w", path, text});
    return readWav(path);
}

Wav settledWav(const QString &path, size_t samples, int quietMs, int timeoutMs,
               const std::function<void(int)> &pause)
{
    QElapsedTimer clock;
    clock.start();
    size_t last = 0;
    int quiet = 0;
    while (clock.elapsed() < timeoutMs && quiet < quietMs) {
        pause(20);
        const size_t now = readWav(path).samples.size();
        quiet = now == last && now > samples ? quiet + 20 : 0;
        last = now;
    }
    return readWav(path);
}

} // namespace lorva::test
