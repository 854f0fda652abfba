#include "foundation/cues.h"

#include <algorithm>

#include <cmath>

#include "foundation/file_names.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/side_segment_profile.h"
#include "foundation/values.h"

const CueSpec WarnCue{SegmentKey::WarnCueChoice, SegmentKey::WarnCueFile,
                      QStringLiteral("\\sound\\Warn\\Default.wav"),
                      QStringLiteral("\\sound\\warn\\user\\")};
const CueSpec TimeUpCue{SegmentKey::TimeUpCueChoice, SegmentKey::TimeUpCueFile,
                        QStringLiteral("\\sound\\Timeout\\Default.wav"),
                        QStringLiteral("\\sound\\timeout\\user\\")};
const CueSpec OvertimeCue{SegmentKey::OvertimeCueChoice, SegmentKey::OvertimeCueFile,
                          QStringLiteral("\\sound\\Cs\\Default.wav"),
                          QStringLiteral("\\sound\\Cs\\user\\")};

const CueSpec AffirmativeScoreEffect{
    QStringLiteral("公布正方得分时音效"), QStringLiteral("自定义公布正方得分时音效"),
    QStringLiteral("\\sound\\Result\\Zf.wav"), QStringLiteral("\\sound\\result\\user\\")};
const CueSpec NegativeScoreEffect{
    QStringLiteral("公布反方得分时音效"), QStringLiteral("自定义公布反方得分时音效"),
    QStringLiteral("\\sound\\Result\\Ff.wav"), QStringLiteral("\\sound\\result\\user\\")};
const CueSpec WinnerEffect{
    QStringLiteral("公布获胜方时音效"), QStringLiteral("自定义公布获胜方时音效"),
    QStringLiteral("\\sound\\Result\\Vic.wav"), QStringLiteral("\\sound\\result\\user\\")};

const MusicSource ResultMusic{
    {QStringLiteral("背景音乐"), QStringLiteral("自定义背景音乐"),
     QStringLiteral("\\sound\\result\\BgMusic.mp3"), QStringLiteral("\\sound\\result\\user\\")},
    QStringLiteral("\\config\\Result.ini"),
    kLoopKey,
    kVolumeKey};
const MusicSource CeremonyMusic{
    {QStringLiteral("背景音乐"), QStringLiteral("自定义背景音乐"),
     QStringLiteral("\\sound\\cite\\Default.mp3"), QStringLiteral("\\sound\\cite\\user\\")},
    kCeremonyProfile,
    kLoopKey,
    kVolumeKey};

namespace {

// nullopt for a choice word that selects nothing at all (not even silence).
std::optional<QString> ChosenPath(const QString& appDir, const QString& profile,
                                  const CueSpec& cue) {
    const QString choice = ReadProfileString(profile, kConfigSection, cue.choiceKey);
    if (choice == CueChoice::Default) {
        return AppPath(appDir, cue.defaultFile);
    }
    if (choice == CueChoice::None) {
        return QString();
    }
    if (choice == CueChoice::UserDefined) {
        const QString name = ReadProfileString(profile, kConfigSection, cue.customKey);
        // An empty name leaves the user folder itself, which plays nothing.
        return name.isEmpty() ? AppPath(appDir, cue.userFolder)
                              : StoredFilePath(appDir, cue.userFolder, name);
    }
    return std::nullopt;
}

}  // namespace

QString ResolveCuePath(const QString& appDir, const QString& profile, const CueSpec& cue) {
    return ChosenPath(appDir, profile, cue).value_or(QString());
}

MusicStart ResolveMusicStart(const QString& appDir, const MusicSource& music) {
    const auto path = ChosenPath(appDir, AppPath(appDir, music.profile), music.source);
    return path ? MusicStart{true, *path} : MusicStart{};
}

bool MusicLoops(const QString& appDir, const MusicSource& music) {
    return ReadWholeNumber(ReadProfileString(AppPath(appDir, music.profile), kConfigSection,
                                             music.loopKey)) == 1;
}

std::optional<int> VolumeValue(const QString& text) {
    const std::optional<double> number = StrictNumber(text);
    if (!number || std::trunc(*number) != *number || *number < kMinVolume || *number > kMaxVolume) {
        return std::nullopt;
    }
    return int(*number);
}

QString BellCueFile(int rings) {
    return QStringLiteral("\\sound\\Bell\\%1.wav").arg(std::clamp(rings, 1, 3));
}
