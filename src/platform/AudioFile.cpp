#include "platform/AudioFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sndfile.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace lorva {

namespace {

int formatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"ogg")
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    if (suffix == u"mp3")
        return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    if (suffix == u"wav")
        return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    return 0;
}

} // namespace

bool writeAudioFile(const QString &path, const QByteArray &pcm, int sampleRate, QString &error)
{
    const int format = formatFor(path);
    if (!format) {
        error = QStringLiteral("not a sound file name (.wav, .ogg, .mp3): ") + QDir::toNativeSeparators(path);
        return false;
    }
    const QFileInfo target(path);
    if (!target.absoluteDir().exists()) {
        error = QStringLiteral("Path not found: ") + QDir::toNativeSeparators(path);
        return false;
    }
    // A name of our own beside the target, kept until the sound is complete.
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.~lorva-XXXXXX.") + target.suffix());
    if (!temporary.open()) {
        error = QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                temporary.errorString();
        return false;
    }
    SF_INFO info = {};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = format;
    SNDFILE *file = sf_open_fd(temporary.handle(), SFM_WRITE, &info, SF_FALSE);
    if (!file) {
        error = QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                QString::fromUtf8(sf_strerror(nullptr));
        return false;
    }
    if (format & SF_FORMAT_VORBIS) {
        double quality = 0.6;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    const auto frames = sf_count_t(pcm.size() / 2);
    const sf_count_t written = sf_write_short(file, reinterpret_cast<const short *>(pcm.constData()), frames);
    const QString why = written == frames ? QString() : QString::fromUtf8(sf_strerror(file));
    if (sf_close(file) != 0 || written != frames) {
        error = QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                (why.isEmpty() ? QStringLiteral("the sound file could not be finished") : why);
        return false;
    }
    // A temporary file is private; the sound file is as any new file of the user's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(temporary.handle(), 0666 & ~mask);
    if (!temporary.flush() || ::fsync(temporary.handle()) != 0) {
        error = QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                temporary.errorString();
        return false;
    }
    // rename() replaces an existing file in one step: never half of one.
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        error = QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    temporary.setAutoRemove(false);
    return true;
}

} // namespace lorva
