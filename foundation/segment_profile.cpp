#include "foundation/segment_profile.h"

#include <algorithm>

#include "foundation/paths.h"
#include "foundation/profile_store.h"

namespace {

const std::array<QString, 5> kStyleTexts = {
    QStringLiteral("Mode-1"), QStringLiteral("Mode-2"), QStringLiteral("Mode-3"),
    QStringLiteral("Mode-4"), QStringLiteral("Mode-5"),
};

}  // namespace

std::optional<TimingStyle> TimingStyleOf(const QString& text) {
    for (std::size_t i = 0; i < kStyleTexts.size(); ++i) {
        if (text == kStyleTexts[i]) {
            return static_cast<TimingStyle>(i + 1);
        }
    }
    return std::nullopt;
}

QString TimingStyleText(TimingStyle style) {
    return kStyleTexts[static_cast<std::size_t>(style) - 1];
}

const std::array<CopiedKey, 27>& LaunchCopyList() {
    using namespace SegmentKey;
    static const std::array<CopiedKey, 27> list = {{
        {Format, Format},
        {Name, ActiveName},
        {WarnCueChoice, WarnCueChoice},
        {TimeUpCueChoice, TimeUpCueChoice},
        {OvertimeCueChoice, OvertimeCueChoice},
        {WarnCueFile, WarnCueFile},
        {TimeUpCueFile, TimeUpCueFile},
        {OvertimeCueFile, OvertimeCueFile},
        {FontFace, FontFace},
        {FontSize, FontSize},
        {Bold, Bold},
        {Italic, Italic},
        {ClockColour, ClockColour},
        {WarnColour, WarnColour},
        {Picture, Picture},
        {BackColour, BackColour},
        {Limit, Limit},
        {WarnPoint, WarnPoint},
        {QuestionLimit, QuestionLimit},
        {AnswerLimit, AnswerLimit},
        {QuestionerLimit, QuestionerLimit},
        {AnswererLimit, AnswererLimit},
        {QuestionerWarnPoint, QuestionerWarnPoint},
        {AnswererWarnPoint, AnswererWarnPoint},
        {SpeechLimit, SpeechLimit},
        {Style, Style},
        {TransitionPicture, TransitionPicture},
    }};
    return list;
}

const std::array<CopiedKey, 2>& LaunchBellKeys() {
    static const std::array<CopiedKey, 2> list = {{
        {SegmentKey::BellPoints, SegmentKey::BellPoints},
        {SegmentKey::BellCueChoice, SegmentKey::BellCueChoice},
    }};
    return list;
}

QString SegmentProfilePath(const QString& appDir, int segment) {
    return AppPath(appDir, QStringLiteral("\\config\\tache\\%1.ini").arg(segment));
}

QString ActiveSegmentProfilePath(const QString& appDir) {
    return AppPath(appDir, QStringLiteral("\\config\\Timetemp.ini"));
}

QString ClockFormatPresetPath(const QString& appDir) {
    return AppPath(appDir, QStringLiteral("\\config\\tache\\timeformate.ini"));
}

void CopySegmentToActive(const QString& appDir, int segment) {
    const QString from = SegmentProfilePath(appDir, segment);
    const QString to = ActiveSegmentProfilePath(appDir);
    for (const CopiedKey& key : LaunchCopyList()) {
        WriteProfileString(to, kConfigSection, key.to,
                           ReadProfileString(from, kConfigSection, key.from));
    }
    for (const CopiedKey& key : LaunchBellKeys()) {
        const QString value = ReadProfileString(from, kConfigSection, key.from);
        if (!value.isEmpty() || !ReadProfileString(to, kConfigSection, key.to).isEmpty()) {
            WriteProfileString(to, kConfigSection, key.to, value);
        }
    }
}

std::optional<int> ActiveSegmentNumber(const QString& appDir) {
    const QString active = ActiveSegmentProfilePath(appDir);
    for (int segment = 1; segment <= kSegmentCount; ++segment) {
        const QString source = SegmentProfilePath(appDir, segment);
        const auto same = [&](const CopiedKey& key) {
            return ReadProfileString(source, kConfigSection, key.from) ==
                   ReadProfileString(active, kConfigSection, key.to);
        };
        const auto& keys = LaunchCopyList();
        const auto& bells = LaunchBellKeys();
        if (std::all_of(keys.begin(), keys.end(), same) &&
            std::all_of(bells.begin(), bells.end(), same)) {
            return segment;
        }
    }
    return std::nullopt;
}
