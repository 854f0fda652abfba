#pragma once
// Sound cues and music sources: which profile keys choose a sound and where its files lie.

#include <QString>
#include <optional>

namespace CueChoice {
inline const QString Default = QStringLiteral("Default");
inline const QString None = QStringLiteral("None");
inline const QString UserDefined = QStringLiteral("User-Defined");
}  // namespace CueChoice

// A sound chosen by a pair of keys: the choice word and the user's own file name.
struct CueSpec {
    QString choiceKey;
    QString customKey;
    QString defaultFile;  // relative to AppDir
    QString userFolder;   // relative to AppDir, ends with a backslash
};

// The cues of the clock screens (read from the active segment profile).
extern const CueSpec WarnCue;
extern const CueSpec TimeUpCue;
extern const CueSpec OvertimeCue;
// The bell of a segment's bell points, struck `rings` (1..3) times: "\sound\Bell\2.wav".
QString BellCueFile(int rings);
// The sound effects of the result announcement (read from "\config\Result.ini").
extern const CueSpec AffirmativeScoreEffect;
extern const CueSpec NegativeScoreEffect;
extern const CueSpec WinnerEffect;

// The path a cue plays, read from `profile` now: Default -> the shipped file, User-Defined ->
// the user's file, anything else (None, empty, another word, a different letter case) -> "".
// A stored user name that is not a bare file name also gives "".
QString ResolveCuePath(const QString& appDir, const QString& profile, const CueSpec& cue);

// Music played through the media player, with the keys that loop it and set its volume.
struct MusicSource {
    CueSpec source;
    QString profile;  // relative to AppDir
    QString loopKey;
    QString volumeKey;
};
extern const MusicSource ResultMusic;
extern const MusicSource CeremonyMusic;
inline const QString kLoopKey = QStringLiteral("循环播放");
inline const QString kVolumeKey = QStringLiteral("音量大小");

// A music volume runs from silent to full, as the volume sliders do.
inline constexpr int kMinVolume = 0;
inline constexpr int kMaxVolume = 100;

// A stored volume when it is a whole number in 0..100; nullopt otherwise (nothing stored, text,
// a fraction, out of range), so that a slider keeps its own value.
std::optional<int> VolumeValue(const QString& text);

// What a music screen hands its player: a path for Default/User-Defined, "" for None (which
// silences it), nullopt for any other word (the player is left as it is).
struct MusicStart {
    bool touchPlayer = false;
    QString url;
};
MusicStart ResolveMusicStart(const QString& appDir, const MusicSource& music);

// Whether the music of `music` loops: "循环播放" read as a whole number equals 1.
bool MusicLoops(const QString& appDir, const MusicSource& music);
