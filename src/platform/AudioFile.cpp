#include "platform/AudioFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lorva {

namespace {

// Samples handed to the encoder in one call. libvorbis copies what it holds
// unanalysed onto the stack, 4 bytes a sample, once early in a stream: the
// first write must stay far below the thread's stack (8 MB, about 95 s of
// speech). Small writes also keep the encoders' own buffers small.
constexpr sf_count_t kFramesPerWrite = 16384;

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

// A new file of the user's gets 0666 less the umask. The umask is read, not
// set and set back: that would change it for the program's other threads.
mode_t newFileMode()
{
    static const mode_t mask = [] {
        if (FILE *status = std::fopen("/proc/self/status", "r")) {
            char line[256];
            unsigned value = 022;
            while (std::fgets(line, sizeof line, status)) {
                if (std::sscanf(line, "Umask: %o", &value) == 1)
                    break;
            }
            std::fclose(status);
            return mode_t(value);
        }
        return mode_t(022);
    }();
    return 0666 & ~mask;
}

// Every byte the encoders write passes through here, so that no failed or
// short write goes unnoticed, whatever an encoder makes of it (the MPEG
// encoder only logs one and goes on).
struct FileSink
{
    int fd = -1;
    sf_count_t position = 0;
    sf_count_t end = 0; // the furthest any write reached
    int failure = 0; // the first failed write's errno; 0 while all went well

    static FileSink &of(void *user) { return *static_cast<FileSink *>(user); }

    static sf_count_t length(void *user)
    {
        struct stat info;
        return ::fstat(of(user).fd, &info) == 0 ? sf_count_t(info.st_size) : -1;
    }
    static sf_count_t seek(sf_count_t offset, int whence, void *user)
    {
        FileSink &self = of(user);
        const off_t at = ::lseek(self.fd, off_t(offset), whence);
        if (at < 0)
            return self.fail(errno), -1;
        return self.position = at;
    }
    static sf_count_t read(void *into, sf_count_t count, void *user)
    {
        FileSink &self = of(user);
        ssize_t got;
        do
            got = ::read(self.fd, into, size_t(count));
        while (got < 0 && errno == EINTR);
        if (got < 0)
            return self.fail(errno), 0;
        self.position += got;
        return got;
    }
    static sf_count_t write(const void *from, sf_count_t count, void *user)
    {
        FileSink &self = of(user);
        const auto *bytes = static_cast<const char *>(from);
        sf_count_t done = 0;
        while (done < count) {
            const ssize_t put = ::write(self.fd, bytes + done, size_t(count - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0) {
                self.fail(put < 0 ? errno : ENOSPC);
                break;
            }
            done += put;
        }
        self.position += done;
        self.end = std::max(self.end, self.position);
        return done;
    }
    static sf_count_t tell(void *user) { return of(user).position; }

    void fail(int error)
    {
        if (!failure)
            failure = error;
    }
};

class SoundFileWriter : public AudioFileWriter
{
public:
    ~SoundFileWriter() override { abort(); }

    bool open(const QString &path, int sampleRate)
    {
        m_shownPath = QDir::toNativeSeparators(path);
        const int format = formatFor(path);
        if (!format) {
            m_error = QStringLiteral("not a sound file name (.wav, .ogg, .mp3): ") + m_shownPath;
            return false;
        }
        const QFileInfo target(path);
        if (!target.absoluteDir().exists()) {
            m_error = QStringLiteral("Path not found: ") + m_shownPath;
            return false;
        }
        m_target = QFile::encodeName(target.absoluteFilePath());
        // A name of our own beside the target, on the same file system, so
        // that the finished file takes the target's place in one step.
        const QByteArray ending = '.' + QFile::encodeName(target.suffix());
        m_temporary = QFile::encodeName(target.absolutePath()) + "/.~lorva-XXXXXX" + ending;
        m_sink.fd = ::mkostemps(m_temporary.data(), int(ending.size()), O_CLOEXEC);
        if (m_sink.fd < 0) {
            m_temporary.clear();
            return fail(errno);
        }
        SF_INFO info = {};
        info.samplerate = sampleRate;
        info.channels = 1;
        info.format = format;
        m_io = {&FileSink::length, &FileSink::seek, &FileSink::read, &FileSink::write, &FileSink::tell};
        m_file = sf_open_virtual(&m_io, SFM_WRITE, &info, &m_sink);
        if (!m_file)
            return fail(0, QString::fromUtf8(sf_strerror(nullptr)));
        if (format & SF_FORMAT_VORBIS) {
            double quality = 0.6;
            sf_command(m_file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
        }
        return m_sink.failure ? fail(m_sink.failure) : true;
    }

    bool append(const QByteArray &pcm) override
    {
        if (!m_file)
            return false;
        const auto *samples = reinterpret_cast<const short *>(pcm.constData());
        const sf_count_t frames = pcm.size() / 2;
        for (sf_count_t at = 0; at < frames; at += kFramesPerWrite) {
            const sf_count_t count = std::min(kFramesPerWrite, frames - at);
            const sf_count_t written = sf_write_short(m_file, samples + at, count);
            if (m_sink.failure)
                return fail(m_sink.failure);
            if (written != count)
                return fail(0, QString::fromUtf8(sf_strerror(m_file)));
        }
        return true;
    }

    bool commit() override
    {
        if (!m_file)
            return m_error.isEmpty() ? fail(0, QStringLiteral("the sound file was finished already")) : false;
        const int closed = sf_close(std::exchange(m_file, nullptr));
        if (m_sink.failure)
            return fail(m_sink.failure);
        if (closed != 0)
            return fail(0, QString::fromUtf8(sf_error_number(closed)));
        // Whatever the encoders wrote is in the file, or a write would have
        // failed above; the size says the same, or some of it was lost.
        struct stat written;
        if (::fstat(m_sink.fd, &written) != 0)
            return fail(errno);
        if (sf_count_t(written.st_size) < m_sink.end)
            return fail(0, QStringLiteral("the sound file came out shorter than written"));
        // A temporary file is private; the sound file is as any new file of the user's.
        ::fchmod(m_sink.fd, newFileMode());
        if (::fsync(m_sink.fd) != 0)
            return fail(errno);
        if (::close(std::exchange(m_sink.fd, -1)) != 0)
            return fail(errno);
        // rename() replaces an existing file in one step: never half of one.
        if (std::rename(m_temporary.constData(), m_target.constData()) != 0)
            return fail(errno);
        m_temporary.clear();
        // The new name lasts through a power cut too.
        const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(m_target)).absolutePath());
        if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return true;
    }

    void abort() override
    {
        if (m_file)
            sf_close(std::exchange(m_file, nullptr));
        if (m_sink.fd >= 0)
            ::close(std::exchange(m_sink.fd, -1));
        if (!m_temporary.isEmpty())
            ::unlink(std::exchange(m_temporary, QByteArray()).constData());
    }

    QString error() const override { return m_error; }

private:
    // Ends the file for good with `why` (an errno, or else `text`); false.
    bool fail(int why, const QString &text = QString())
    {
        abort();
        if (m_error.isEmpty())
            m_error = QStringLiteral("Cannot write ") + m_shownPath + QStringLiteral(": ") +
                      (why ? QString::fromLocal8Bit(std::strerror(why)) : text);
        return false;
    }

    QString m_shownPath;
    QByteArray m_target;
    QByteArray m_temporary; // empty once gone or renamed
    FileSink m_sink;
    SF_VIRTUAL_IO m_io = {};
    SNDFILE *m_file = nullptr;
    QString m_error;
};

} // namespace

std::unique_ptr<AudioFileWriter> openAudioFile(const QString &path, int sampleRate, QString &error)
{
    auto writer = std::make_unique<SoundFileWriter>();
    if (!writer->open(path, sampleRate)) {
        error = writer->error();
        return nullptr;
    }
    return writer;
}

} // namespace lorva
