#include "foundation/stored_files.h"

#include <QFileInfo>
#include <algorithm>

#include "foundation/cues.h"
#include "foundation/debate_profiles.h"
#include "foundation/file_names.h"
#include "foundation/gbk.h"
#include "foundation/ini_text.h"
#include "foundation/main_profile.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/side_segment_profile.h"

namespace {

QList<StoredFileRef> AllReferences() {
    QList<StoredFileRef> refs;
    for (int segment = 1; segment <= 8; ++segment) {
        const QString profile = QStringLiteral("\\config\\tache\\%1.ini").arg(segment);
        refs << StoredFileRef{profile, kConfigSection, SegmentKey::Picture, kClockPictureFolder};
        refs << StoredFileRef{profile, kConfigSection, SegmentKey::TransitionPicture,
                              kTransitionPictureFolder};
        for (const CueSpec* cue : {&WarnCue, &TimeUpCue, &OvertimeCue}) {
            refs << StoredFileRef{profile, kConfigSection, cue->customKey, cue->userFolder};
        }
    }
    refs << StoredFileRef{kMainProfile, kConfigSection, MainKey::Picture, kMainPictureFolder};
    for (int k = 1; k <= kPresentationCount; ++k) {
        refs << StoredFileRef{kPresentationProfile, kConfigSection, PresentationFileKey(k),
                              kPresentationFolder};
    }
    refs << StoredFileRef{kSideSegmentProfile, kAudienceQuestionSection, SideKey::Picture,
                          kAudienceQuestionPictureFolder};
    refs << StoredFileRef{kSideSegmentProfile, kCommentarySection, SideKey::Picture,
                          kCommentaryPictureFolder};
    for (const QString& key : {ResultKey::Picture, ResultKey::AffirmativePicture,
                               ResultKey::NegativePicture, ResultKey::WinnerPicture}) {
        refs << StoredFileRef{kResultProfile, kConfigSection, key, kResultPictureFolder};
    }
    for (const CueSpec* cue : {&AffirmativeScoreEffect, &NegativeScoreEffect, &WinnerEffect}) {
        refs << StoredFileRef{kResultProfile, kConfigSection, cue->customKey, cue->userFolder};
    }
    for (const MusicSource* music : {&ResultMusic, &CeremonyMusic}) {
        refs << StoredFileRef{music->profile, kConfigSection, music->source.customKey,
                              music->source.userFolder};
    }
    refs << StoredFileRef{kCeremonyProfile, kConfigSection, CeremonyKey::Picture,
                          kCeremonyPictureFolder};
    return refs;
}

bool SameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool SameSetting(const StoredFileRef& a, const StoredFileRef& b) {
    return SameText(a.profile, b.profile) && SameText(a.section, b.section) &&
           SameText(a.key, b.key);
}

}  // namespace

bool StoredFilePresent(const QString& appDir, const QString& folder, const QString& name) {
    const QString path = StoredFilePath(appDir, folder, name);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

const QList<StoredFileRef>& StoredFileReferences() {
    static const QList<StoredFileRef> refs = AllReferences();
    return refs;
}

bool NamedElsewhere(const QString& appDir, const StoredFileRef& self, const QString& name) {
    for (const StoredFileRef& ref : StoredFileReferences()) {
        if (SameSetting(ref, self) || !SameText(ref.folder, self.folder)) {
            continue;
        }
        const QString named = ReadProfileString(AppPath(appDir, ref.profile), ref.section, ref.key);
        if (SameText(named, name)) {
            return true;
        }
    }
    return false;
}

bool StorableFileName(const QString& name) {
    // A name a setup could not carry ("14:00.jpg": a ':' is a drive or a stream on Windows) is
    // refused here, where the operator can still rename the file, not at the next import.
    if (!IsBareFileName(name) || !UnsafeEntryName(name).isEmpty()) {
        return false;
    }
    const QByteArray bytes = ToGbk(name);
    if (bytes.size() > kMaxProfileValueBytes || FromGbk(bytes) != name) {
        return false;
    }
    // Through the profile engine itself: blanks at either end and enclosing quotes are lost.
    const QString section = QStringLiteral("s"), key = QStringLiteral("k");
    const std::optional<QByteArray> file = ini::SetValue({}, section, key, name);
    const std::optional<QByteArray> read =
        file ? ini::FindValue(*file, section, key) : std::nullopt;
    return read && FromGbk(*read) == name;
}
