// The progress window of long analysis work ("Pivot Table Progress" while a pivot is built): runs the work on a
// worker thread and shows its progress while the event loop goes on, so the program never freezes. Its Cancel
// (or Esc) sets progress.cancel; the work is expected to stop soon after.
//
// The window is application-modal: nothing else can be started or closed while the work runs, yet the program
// repaints and answers. GUI thread only; the work must not touch widgets.
#pragma once

#include "analysis/AnalysisRun.h"

#include <QProgressDialog>

#include <functional>

namespace analysis {

class frmProg : public QProgressDialog {
    Q_OBJECT
public:
    frmProg(QWidget *parent, const QString &caption);

    // Runs work(progress) on a worker thread behind a progress window with this caption, and returns when it has
    // ended, the window closed. progress.total and progress.done (set by the work) drive the bar. An exception
    // of the work is raised again here. Whether the work was cancelled: progress.cancel.
    static void run(QWidget *parent, const QString &caption, AnalysisProgress &progress,
                    const std::function<void(AnalysisProgress &)> &work);

    // Called with the window once it shows, before the work starts; empty in the program (tests answer it).
    static std::function<void(frmProg &)> onShown;

private:
    void showProgress(const AnalysisProgress &progress);
};

}  // namespace analysis
