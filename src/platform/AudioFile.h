#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace lorva {

// A sound file written as its samples come (16-bit mono PCM at the rate it
// was opened with), so that only a piece of it is ever held in memory. Its
// kind follows the name's ending: ".wav" (PCM), ".ogg" (Vorbis) or ".mp3"
// (MPEG layer III). It grows under a temporary name beside the target, and
// the target is replaced only by the whole file, written and closed without
// an error; until then, and after any failure, the target stays as it was.
// Used from one thread at a time, which need not be the one that opened it.
class AudioFileWriter
{
public:
    // A file never committed goes, as with abort().
    virtual ~AudioFileWriter() = default;
    // Adds samples after those before. False once any part of the file could
    // not be written (error() says why): the file is gone, and what comes
    // later is dropped.
    virtual bool append(const QByteArray &pcm) = 0;
    // Finishes the file and puts it in the target's place. False, with
    // error() set and the target as it was, when it could not.
    virtual bool commit() = 0;
    // Drops the file; the target stays as it was.
    virtual void abort() = 0;
    // Why the file could not be written: "Cannot write <path>: <reason>".
    virtual QString error() const = 0;
};

// Starts the sound file `path`. Null, with `error` set, when the name has
// none of the three endings, or its folder is missing or cannot be written.
std::unique_ptr<AudioFileWriter> openAudioFile(const QString &path, int sampleRate, QString &error);

} // namespace lorva
