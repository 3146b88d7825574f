#pragma once
// The tool's sounds through Qt Multimedia: its WAVE assets by name, and the sound files that
// animation events name. One sound at a time; a new one cuts the one playing. Without an audio
// device, or without the file, nothing is heard and nothing fails.
#include <QObject>
#include <QString>
#include <map>
#include <memory>

#include "platform/SoundPlayer.h"
#include "ui/AssetFolder.h"

class QSoundEffect;

namespace marquill::ui {

class SoundEffectPlayer final : public QObject, public platform::SoundPlayer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoundEffectPlayer)

  public:
    explicit SoundEffectPlayer(AssetFolder assets, QObject* parent = nullptr);
    ~SoundEffectPlayer() override;

    void playNamed(std::string_view name) override;
    void playNamedAndWait(std::string_view name) override;
    void playFile(const std::string& path) override;
    void stopAll() override;

    // What was asked for last (a file path), for tests; empty after stopAll().
    [[nodiscard]] const QString& lastRequested() const { return lastRequested_; }

  private:
    // Null when the file does not exist.
    QSoundEffect* start(const QString& path);
    void waitUntilFinished(QSoundEffect& effect);

    AssetFolder assets_;
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;  // loaded once per file
    QSoundEffect* playing_ = nullptr;
    QString lastRequested_;
};

}  // namespace marquill::ui
