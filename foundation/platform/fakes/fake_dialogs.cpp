#include "foundation/platform/fakes/fake_dialogs.h"

namespace {

template <typename T>
std::optional<T> Next(QList<std::optional<T>>& queue) {
    return queue.isEmpty() ? std::nullopt : queue.takeFirst();
}

QString NameOf(const QWidget* owner) {
    return owner ? owner->objectName() : QString();
}

}  // namespace

bool FakeFileOpenDialog::Show() {
    const std::optional<QString> answer = Next(script_.files);
    script_.shown << ShownDialog{DialogKind::OpenFile, NameOf(owner_), {}, filter, fileName,
                                 answer.has_value()};
    if (!answer) {
        return false;
    }
    fileName = *answer;
    return true;
}

bool FakeSaveFileDialog::Show() {
    const std::optional<QString> answer = Next(script_.saves);
    script_.shown << ShownDialog{DialogKind::SaveFile, NameOf(owner_), title, filter, fileName,
                                 answer.has_value()};
    if (!answer) {
        return false;
    }
    fileName = *answer;
    return true;
}

bool FakeColourDialog::Show() {
    const std::optional<quint32> answer = Next(script_.colours);
    script_.shown << ShownDialog{DialogKind::Colour, NameOf(owner_), {}, {}, {},
                                 answer.has_value()};
    if (!answer) {
        return false;
    }
    colour = *answer;
    return true;
}

bool FakeFontDialog::Show() {
    const std::optional<FontChoice> answer = Next(script_.fonts);
    script_.shown << ShownDialog{DialogKind::Font, NameOf(owner_), {}, {}, {}, answer.has_value()};
    if (!answer) {
        return false;
    }
    font = *answer;
    return true;
}
