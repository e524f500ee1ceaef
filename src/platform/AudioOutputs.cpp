#include "platform/SpeechEngine.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>

#include <deque>
#include <functional>

namespace lorva {

namespace {

// Sound to the desktop: a Qt Multimedia sink in push mode, fed from a queue
// as fast as it takes it.
class DesktopAudio : public AudioOutput
{
public:
    bool open(int sampleRate) override
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            return false;
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->setBufferSize(sampleRate * 2 / 4); // a quarter of a second
        m_device = m_sink->start();
        if (!m_device || m_sink->error() != QAudio::NoError)
            return false;
        m_feed = std::make_unique<QTimer>();
        m_feed->setInterval(20);
        QObject::connect(m_feed.get(), &QTimer::timeout, [this] { feed(); });
        return true;
    }

    void write(const QByteArray &pcm) override
    {
        if (!m_device)
            return;
        m_queue += pcm;
        feed();
        if (!m_queue.isEmpty() && !m_feed->isActive())
            m_feed->start();
    }

    void mark(std::function<void()> reached) override
    {
        if (!m_device) {
            reached();
            return;
        }
        m_marks.push_back({m_total + m_queue.size(), std::move(reached)});
        feed();
        if (!m_feed->isActive())
            m_feed->start();
    }

    void discard() override
    {
        m_queue.clear();
        m_marks.clear();
        m_total = 0;
        if (m_feed)
            m_feed->stop();
        if (!m_sink)
            return;
        // What the device still buffers goes too: silence at once.
        const bool held = m_sink->state() == QAudio::SuspendedState;
        m_sink->reset();
        m_device = m_sink->start();
        if (held)
            m_sink->suspend();
    }

    void hold(bool held) override
    {
        if (!m_sink)
            return;
        if (held) {
            m_sink->suspend();
        } else {
            m_sink->resume();
            feed();
            if (!m_queue.isEmpty() && !m_feed->isActive())
                m_feed->start();
        }
    }

private:
    void feed()
    {
        if (m_sink->state() == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
            // The device went away; start over on the next write.
            m_device = m_sink->start();
            if (!m_device)
                return;
        }
        const qsizetype room = qMin<qsizetype>(m_sink->bytesFree(), m_queue.size());
        if (room > 0) {
            const qint64 written = m_device->write(m_queue.constData(), room);
            if (written > 0) {
                m_queue.remove(0, written);
                m_total += written;
            }
        }
        // Heard is what went to the device less what it still holds.
        const qint64 heard = m_total - qMax<qint64>(0, m_sink->bufferSize() - m_sink->bytesFree());
        while (!m_marks.empty() && m_marks.front().at <= heard) {
            const auto reached = std::move(m_marks.front().reached);
            m_marks.pop_front();
            reached();
        }
        if (m_queue.isEmpty() && m_marks.empty())
            m_feed->stop();
    }

    struct Mark
    {
        qint64 at;
        std::function<void()> reached;
    };

    std::unique_ptr<QAudioSink> m_sink;
    QIODevice *m_device = nullptr;
    std::unique_ptr<QTimer> m_feed;
    QByteArray m_queue;
    qint64 m_total = 0; // bytes given to the device since it started
    std::deque<Mark> m_marks;
};

// A WAV file whose header is brought up to date after every write, so that
// it is complete whenever it is read.
class WavFile : public AudioOutput
{
public:
    explicit WavFile(QString path) : m_file(std::move(path)) {}

    bool open(int sampleRate) override
    {
        m_rate = sampleRate;
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        writeHeader();
        return true;
    }

    void write(const QByteArray &pcm) override
    {
        if (!m_file.isOpen())
            return;
        m_file.seek(44 + m_bytes);
        m_file.write(pcm);
        m_bytes += pcm.size();
        writeHeader();
        m_file.flush();
    }

private:
    void writeHeader()
    {
        QByteArray h(44, '\0');
        auto put32 = [&h](int at, quint32 v) { qToLittleEndian(v, h.data() + at); };
        auto put16 = [&h](int at, quint16 v) { qToLittleEndian(v, h.data() + at); };
        h.replace(0, 4, "RIFF");
        put32(4, quint32(36 + m_bytes));
        h.replace(8, 8, "WAVEfmt ");
        put32(16, 16);
        put16(20, 1);            // PCM
        put16(22, 1);            // mono
        put32(24, quint32(m_rate));
        put32(28, quint32(m_rate * 2));
        put16(32, 2);
        put16(34, 16);
        h.replace(36, 4, "data");
        put32(40, quint32(m_bytes));
        m_file.seek(0);
        m_file.write(h);
    }

    QFile m_file;
    int m_rate = 0;
    qint64 m_bytes = 0;
};

} // namespace

std::unique_ptr<AudioOutput> createDesktopAudio() { return std::make_unique<DesktopAudio>(); }

std::unique_ptr<AudioOutput> createWavFile(const QString &path) { return std::make_unique<WavFile>(path); }

} // namespace lorva
