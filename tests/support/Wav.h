#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace lorva::test {

// A 16-bit PCM WAV file as read back from disk.
struct Wav
{
    bool valid = false;
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    std::vector<qint16> samples;

    double seconds() const { return sampleRate ? double(samples.size()) / sampleRate : 0; }
};

Wav readWav(const QString &path);

// Normalised correlation of two stretches of samples (1 = same shape).
double correlation(const std::vector<qint16> &a, size_t aFrom, const std::vector<qint16> &b, size_t bFrom,
                   size_t count);

// Loudness per 10 ms frame, for comparing the shape of speech over time
// (the same text is not synthesised sample for sample the same each time).
std::vector<qint16> envelope(const std::vector<qint16> &samples, int sampleRate);

// The length in seconds from the first to the last sample that is not
// silence: what a listener hears, without the pauses around it.
double spokenSeconds(const Wav &wav);

// What the espeak-ng command gives for `text` in `voice`, as a WAV file.
Wav espeakReference(const QString &text, const QString &voice, const QString &folder);

// The voice that the speech tests speak in, as the engine describes it.
inline const QString kEnglish = QStringLiteral("English (Great Britain)");

// The WAV file at `path` once it has grown past `samples` and then stopped
// growing for `quietMs`, or after `timeoutMs`; `pause` lets the program run.
Wav settledWav(const QString &path, size_t samples, int quietMs, int timeoutMs,
               const std::function<void(int milliseconds)> &pause);

} // namespace lorva::test
