#pragma once

#include <QByteArray>
#include <QString>

namespace lorva {

// Writes 16-bit mono PCM at `sampleRate` as a sound file whose kind follows
// the name's ending: ".wav" (PCM), ".ogg" (Vorbis) or ".mp3" (MPEG layer
// III). The file appears whole or not at all: it is written under a
// temporary name beside it and renamed over the target once complete.
// False, with `error` set, when it could not be written.
bool writeAudioFile(const QString &path, const QByteArray &pcm, int sampleRate, QString &error);

} // namespace lorva
