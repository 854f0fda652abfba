#include "foundation/platform/fakes/fake_services.h"

#include <QFileInfo>

void FakeWavePlayer::PlayWave(const QString& path) {
    calls << path;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        played << path;
    }
}

void FakeMessageBoxes::Show(const QString& text, const QString& title, MessageIcon icon) {
    shown << ShownMessage{text, title.isEmpty() ? kProgramTitle : title, icon, false, true};
}

bool FakeMessageBoxes::Ask(const QString& text, const QString& title, MessageIcon icon) {
    const bool answer = answers.isEmpty() ? true : answers.takeFirst();
    shown << ShownMessage{text, title.isEmpty() ? kProgramTitle : title, icon, true, answer};
    return answer;
}

bool FakeMessageBoxes::Choose(const QString& text, const QString& yes, const QString& no) {
    const bool answer = answers.isEmpty() ? true : answers.takeFirst();
    shown << ShownMessage{text, yes + '/' + no, MessageIcon::Question, true, answer};
    return answer;
}

QStringList FakeMessageBoxes::texts() const {
    QStringList result;
    for (const ShownMessage& message : shown) {
        result << message.text;
    }
    return result;
}

bool FakeDesktopOpener::Open(const QString& fileOrUrl) {
    opened << fileOrUrl;
    return succeeds;
}

InstanceLock::Result FakeInstanceLock::TryLock() {
    ++attempts;
    return result;
}
