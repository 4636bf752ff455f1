#include "gui/print/PrintJob.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>
#include <filesystem>

namespace kelvo {

TPrintJob::TPrintJob(TRecordedPages pages, QPrinter& printer, int first, int last)
    : pages_(std::move(pages)), printer_(printer) {
    const int count = static_cast<int>(pages_.Pages.size());
    first_ = std::max(first, 1);
    last_ = last <= 0 ? count : std::min(last, count);
    next_.setSingleShot(true);
    next_.setInterval(0);
    connect(&next_, &QTimer::timeout, this, &TPrintJob::PrintNext);
}

TPrintJob::~TPrintJob() {
    if (!Running())
        return;
    next_.stop();
    printer_.abort();
    painter_.end();
    RestoreOutput(false);
}

void TPrintJob::Start() {
    if (Count() <= 0) {
        emit Finished(Complete);
        return;
    }
    output_ = printer_.outputFileName();
    if (!output_.isEmpty()) {
        const QFileInfo target(output_);
        QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                            QStringLiteral(".XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open()) {
            emit Finished(Failed);
            return;
        }
        temporary_ = file.fileName();
        file.close();
        printer_.setOutputFileName(temporary_);
    }
    if (!painter_.begin(&printer_)) {
        RestoreOutput(false);
        emit Finished(Failed);
        return;
    }
    next_.start();
}

void TPrintJob::Cancel() {
    if (Running())
        Finish(Cancelled);
}

void TPrintJob::PrintNext() {
    if (printed_ > 0 && !printer_.newPage()) {
        Finish(Failed);
        return;
    }
    PlayPage(pages_, first_ + printed_, painter_, printer_);
    ++printed_;
    emit Progress(printed_, Count());
    if (!Running()) // cancelled by whoever was told
        return;
    if (printed_ == Count())
        Finish(Complete);
    else
        next_.start();
}

void TPrintJob::Finish(TOutcome outcome) {
    next_.stop();
    // Engines that can drop what was spooled do so here; for the others the unfinished output
    // is thrown away below, or, spooled straight to a printer, is all the system lets us stop.
    if (outcome != Complete)
        printer_.abort();
    const bool ended = painter_.end();
    const bool kept = RestoreOutput(outcome == Complete && ended);
    if (outcome == Complete && !kept)
        outcome = Failed;
    emit Finished(outcome);
}

bool TPrintJob::RestoreOutput(bool keep) {
    if (temporary_.isEmpty())
        return keep;
    const std::filesystem::path from = temporary_.toStdString();
    const std::filesystem::path to = output_.toStdString();
    temporary_.clear();
    printer_.setOutputFileName(output_);
    std::error_code error;
    if (keep) {
        const QFileInfo target(output_);
        QFile::setPermissions(QString::fromStdString(from.string()),
                              target.exists() ? target.permissions()
                                              : QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ReadGroup | QFile::ReadOther);
        std::filesystem::rename(from, to, error);
        if (!error)
            return true;
    }
    std::filesystem::remove(from, error);
    return false;
}

} // namespace kelvo
