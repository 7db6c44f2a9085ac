#pragma once

#include "base/FileDescriptor.h"

#include <QObject>

class QSocketNotifier;

namespace quorvel {

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl-C in the terminal, a closed terminal) as a request to
// close, delivered to the event loop. A second one, while the first is being handled, ends the
// process at once. One lives at a time; the dispositions come back when it ends.
class EndingSignals : public QObject {
    Q_OBJECT

public:
    explicit EndingSignals(QObject* parent = nullptr);
    ~EndingSignals() override;

signals:
    void closeRequested();

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
    FileDescriptor readEnd_;
    FileDescriptor writeEnd_;
};

} // namespace quorvel
