#include "foundation/widgets/plain_labels.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

namespace {

// Sees every widget polished, once, before it is first shown or measured.
class PlainLabels : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            auto* label = qobject_cast<QLabel*>(watched);
            // Qt's default guesses at markup from the text itself.
            if (label && label->textFormat() == Qt::AutoText) {
                label->setTextFormat(Qt::PlainText);
            }
        }
        return false;
    }
};

}  // namespace

void KeepLabelsPlain(QCoreApplication* application) {
    const QString name = QStringLiteral("PlainLabels");
    if (!application->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) {
        auto* filter = new PlainLabels(application);
        filter->setObjectName(name);
        application->installEventFilter(filter);
    }
}
