#include "app/frmAbout.h"

#include "app/Version.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

namespace app {

namespace {

const char *const kDisclaimer =
    "This program is provided as is, without warranty of any kind, express or implied, including but not limited to "
    "the warranties of merchantability, fitness for a particular purpose and noninfringement. The figures it shows "
    "are read from the round results files the licensing agency publishes; check important figures against the "
    "agency's own publications. In no event shall the authors be liable for any claim, damages or other liability "
    "arising from the use of this program or of the figures it shows.";

// Programs that show what the machine is, tried in this order when the settings store names none.
const char *const kSystemInfoPrograms[] = {"hardinfo", "kinfocenter", "gnome-system-monitor", "xfce4-taskmanager"};

}  // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About the Lotwise"));
    auto *layout = new QGridLayout(this);
    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QPixmap(QStringLiteral(":/lotwise/lotwise.png")).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    lblTitle = new QLabel(QStringLiteral("Lotwise"), this);
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = new QLabel(versionLabel(), this);
    lblDescription = new QLabel(QStringLiteral("Lotwise keeps the round results of a multi-round spectrum auction in one "
                                               "database: it imports every round's results file, shows any table for "
                                               "any round, and sorts, filters, summarizes, pivots, prints and exports "
                                               "them."),
                                this);
    lblDescription->setWordWrap(true);
    Text1 = new QPlainTextEdit(QString::fromLatin1(kDisclaimer), this);
    Text1->setReadOnly(true);
    Text1->setMinimumHeight(110);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *cmdOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cmdSysInfo = buttons->addButton(QStringLiteral("&System Info..."), QDialogButtonBox::ActionRole);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    layout->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    layout->addWidget(Text1, 3, 0, 1, 2);
    layout->addWidget(buttons, 4, 0, 1, 2);
    resize(480, 340);
}

// The machine-wide settings store of the program (for instance /etc/xdg/Lotwise/Lotwise.conf); key paths use "\"
// or "/" between their parts.
bool frmAbout::GetKeyValue(const QString &keyPath, const QString &valueName, QString *value) {
    const QSettings store(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Lotwise"), QStringLiteral("Lotwise"));
    const QString key = QString(keyPath).replace(u'\\', u'/') + u'/' + valueName;
    if (!store.contains(key))
        return false;
    *value = store.value(key).toString();
    return !value->isEmpty();
}

void frmAbout::StartSysInfo() {
    QString program;
    if (!GetKeyValue(QStringLiteral("SOFTWARE\\Lotwise\\SystemInformation"), QStringLiteral("PATH"), &program)) {
        for (const char *candidate : kSystemInfoPrograms) {
            program = QStandardPaths::findExecutable(QString::fromLatin1(candidate));
            if (!program.isEmpty())
                break;
        }
    }
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        QMessageBox::information(this, QStringLiteral("Lotwise"), QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace app
