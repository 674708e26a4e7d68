#include "ui/QtTonePlayer.h"

#include "ui/ToneSamples.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <optional>
#include <utility>

namespace larmor {

namespace {

// Lives on the audio thread and owns every audio object, so they are made, used and
// destroyed on that one thread.
class ToneWorker : public QObject {
public:
  explicit ToneWorker(QtTonePlayer::DeviceProbe probe) : m_probe(std::move(probe)) {}

  ~ToneWorker() override {
    if (m_sink) m_sink->stop();
  }

  void play(int frequencyHz, int durationMs) {
    if (!m_probed) {
      m_probed = true;
      m_device = m_probe();
    }
    if (m_device.isNull()) return;  // no sound output: silent, no message

    if (m_sink) m_sink->stop();
    m_sink.reset();
    m_buffer.close();

    QAudioFormat format;
    format.setSampleRate(QtTonePlayer::sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    int channels = 1;
    if (!m_device.isFormatSupported(format)) {
      // Many outputs want stereo at their own rate; the tone is then copied per channel.
      const QAudioFormat preferred = m_device.preferredFormat();
      format.setSampleRate(preferred.sampleRate());
      channels = std::max(1, preferred.channelCount());
      format.setChannelCount(channels);
    }

    const auto samples = toneSamples(frequencyHz, durationMs, format.sampleRate());
    QByteArray data(static_cast<qsizetype>(samples.size() * channels * sizeof(std::int16_t)),
                    Qt::Uninitialized);
    auto* out = reinterpret_cast<std::int16_t*>(data.data());
    for (const std::int16_t sample : samples) {
      for (int c = 0; c < channels; ++c) *out++ = sample;
    }
    m_buffer.setData(data);
    m_buffer.open(QIODevice::ReadOnly);

    m_sink = std::make_unique<QAudioSink>(m_device, format);
    QAudioSink* sink = m_sink.get();
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
      if (state == QAudio::IdleState) sink->stop();  // the tone has been played out
    });
    sink->start(&m_buffer);
  }

private:
  QtTonePlayer::DeviceProbe m_probe;
  bool m_probed = false;
  QAudioDevice m_device;
  QBuffer m_buffer;
  std::unique_ptr<QAudioSink> m_sink;
};

}  // namespace

class QtTonePlayer::AudioThread : public QThread {
public:
  explicit AudioThread(DeviceProbe probe) : m_probe(std::move(probe)) {
    setObjectName(QStringLiteral("LarmorTone"));
  }

  ~AudioThread() override {
    quit();
    wait();
  }

  // Called from the window's thread.
  void request(int frequencyHz, int durationMs) {
    QMutexLocker lock(&m_mutex);
    if (m_worker != nullptr) {
      post(frequencyHz, durationMs);
    } else {
      m_pending = std::make_pair(frequencyHz, durationMs);  // played once the thread is up
    }
  }

protected:
  void run() override {
    ToneWorker worker(m_probe);
    {
      QMutexLocker lock(&m_mutex);
      m_worker = &worker;
      if (m_pending) post(m_pending->first, m_pending->second);
      m_pending.reset();
    }
    exec();
    QMutexLocker lock(&m_mutex);
    m_worker = nullptr;
    // Deliver nothing more to the worker, which goes with this frame.
    QCoreApplication::removePostedEvents(&worker);
  }

private:
  // m_mutex held: the worker cannot be destroyed while the request is posted.
  void post(int frequencyHz, int durationMs) {
    ToneWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, frequencyHz, durationMs] { worker->play(frequencyHz, durationMs); },
        Qt::QueuedConnection);
  }

  DeviceProbe m_probe;
  QMutex m_mutex;
  ToneWorker* m_worker = nullptr;
  std::optional<std::pair<int, int>> m_pending;
};

QtTonePlayer::QtTonePlayer()
    : QtTonePlayer([] { return QMediaDevices::defaultAudioOutput(); }) {}

QtTonePlayer::QtTonePlayer(DeviceProbe probe)
    : m_thread(std::make_unique<AudioThread>(std::move(probe))) {}

QtTonePlayer::~QtTonePlayer() = default;

void QtTonePlayer::play(int frequencyHz, int durationMs) {
  m_thread->request(frequencyHz, durationMs);
  if (!m_thread->isRunning()) m_thread->start();
}

}  // namespace larmor
