#include "analysis/frmProg.h"

#include "db/Error.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <climits>
#include <exception>
#include <memory>
#include <new>

namespace analysis {

std::function<void(frmProg &)> frmProg::onShown;

namespace {

constexpr int kRefreshMs = 50;

}  // namespace

frmProg::frmProg(QWidget *parent, const QString &caption) : QProgressDialog(parent) {
    setObjectName(QStringLiteral("frmProg"));
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    setLabelText(caption);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(360);
    setRange(0, 0);  // busy until the work knows its total
}

// The bar in steps of the work, scaled down when the total exceeds what a progress bar counts.
void frmProg::showProgress(const AnalysisProgress &progress) {
    const qint64 total = progress.total.load();
    const qint64 done = progress.done.load();
    if (total <= 0)
        return;
    const qint64 scale = total / INT_MAX + 1;
    if (maximum() != int(total / scale))
        setRange(0, int(total / scale));
    setValue(int(std::min(done, total) / scale));
}

void frmProg::run(QWidget *parent, const QString &caption, AnalysisProgress &progress,
                  const std::function<void(AnalysisProgress &)> &work) {
    frmProg window(parent, caption);
    connect(&window, &QProgressDialog::canceled, &window, [&window, &progress] {
        progress.cancel = true;
        window.setLabelText(QStringLiteral("Cancelling..."));
    });
    window.show();
    if (onShown)
        onShown(window);

    std::exception_ptr failure;
    std::unique_ptr<QThread> worker(QThread::create([&progress, &work, &failure] {
        try {
            work(progress);
        } catch (const std::bad_alloc &) {
            failure = std::make_exception_ptr(db::Error(7, QStringLiteral("Out of memory")));
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer refresh;
    connect(&refresh, &QTimer::timeout, &window, [&window, &progress] { window.showProgress(progress); });
    refresh.start(kRefreshMs);
    worker->start();
    loop.exec();
    worker->wait();
    refresh.stop();
    window.hide();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace analysis
