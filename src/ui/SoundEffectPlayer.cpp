#include "ui/SoundEffectPlayer.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace marquill::ui {
namespace {

// A sound that never reports its end (a stalled audio server) must not hold the window forever.
constexpr int kLongestWaitMs = 10000;

}  // namespace

SoundEffectPlayer::SoundEffectPlayer(AssetFolder assets, QObject* parent)
    : QObject(parent), assets_(std::move(assets)) {}

SoundEffectPlayer::~SoundEffectPlayer() = default;

QSoundEffect* SoundEffectPlayer::start(const QString& path) {
    if (playing_) playing_->stop();
    playing_ = nullptr;
    lastRequested_ = path;
    if (path.isEmpty() || !QFileInfo(path).isFile()) return nullptr;
    auto& effect = effects_[path];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (effect->status() == QSoundEffect::Error) return nullptr;
    // Playing before the file has loaded is fine: the effect starts once it has.
    effect->play();
    playing_ = effect.get();
    return playing_;
}

void SoundEffectPlayer::playNamed(std::string_view name) {
    (void)start(assets_.soundPath(name));
}

void SoundEffectPlayer::playNamedAndWait(std::string_view name) {
    if (QSoundEffect* effect = start(assets_.soundPath(name))) waitUntilFinished(*effect);
}

void SoundEffectPlayer::playFile(const std::string& path) {
    // The original blocked the whole window for the length of an animation's sound; the preview
    // keeps moving instead and the next sound cuts this one as every other sound does.
    (void)start(QString::fromStdString(path));
}

void SoundEffectPlayer::stopAll() {
    if (playing_) playing_->stop();
    playing_ = nullptr;
    lastRequested_.clear();
}

void SoundEffectPlayer::waitUntilFinished(QSoundEffect& effect) {
    auto finished = [&effect] {
        const auto status = effect.status();
        if (status == QSoundEffect::Error || status == QSoundEffect::Null) return true;
        return status == QSoundEffect::Ready && !effect.isPlaying();
    };
    if (finished()) return;
    QEventLoop loop;
    auto check = [&] {
        if (finished()) loop.quit();
    };
    connect(&effect, &QSoundEffect::playingChanged, &loop, check);
    connect(&effect, &QSoundEffect::statusChanged, &loop, check);
    QTimer::singleShot(kLongestWaitMs, &loop, &QEventLoop::quit);
    // Like a blocking play: the frame timer runs on, the player's clicks wait.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace marquill::ui
