#include "app/gui/HelpWindow.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavo {

HelpBrowser::HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() == QLatin1String("qthelp")) return engine_.fileData(name);
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), home_(parent) {
    setWindowTitle(QStringLiteral("KOVA Bauwaage - Hilfe"));
    resize(1000, 700);
}

HelpWindow* HelpWindow::open(const QString& helpFile, QWidget* parent) {
    auto* window = new HelpWindow(parent);
    if (window->load(helpFile)) return window;
    delete window;
    return nullptr;
}

bool HelpWindow::load(const QString& helpFile) {
    if (!collectionDir_.isValid()) return false;
    engine_ = new QHelpEngine(collectionDir_.filePath(QStringLiteral("help.qhc")), this);
    // The collection is this window's own, so it may register the help file.
    engine_->setReadOnly(false);
    if (!engine_->setupData()) return false;
    namespace_ = QHelpEngineCore::namespaceName(helpFile);
    if (namespace_.isEmpty() || !engine_->registerDocumentation(helpFile)) return false;

    browser_ = new HelpBrowser(*engine_, this);
    browser_->setAccessibleName(QStringLiteral("Hilfeseite"));
    // The pages link their style sheet; the text browser takes it only as its default.
    browser_->document()->setDefaultStyleSheet(
        QString::fromUtf8(engine_->fileData(QUrl(QStringLiteral("qthelp://%1/doc/hilfe.css").arg(namespace_)))));

    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setAccessibleName(QStringLiteral("Inhalt"));
    connect(contents, &QHelpContentWidget::linkActivated, browser_, [this](const QUrl& page) { browser_->setSource(page); });
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents, &QTreeView::expandAll);

    auto* indexPage = new QWidget;
    auto* indexFilter = new QLineEdit;
    indexFilter->setAccessibleName(QStringLiteral("Gesuchter Begriff"));
    auto* indexLabel = new QLabel(QStringLiteral("&Gesuchter Begriff:"));
    indexLabel->setBuddy(indexFilter);
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setAccessibleName(QStringLiteral("Index"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(indexLabel);
    indexLayout->addWidget(indexFilter);
    indexLayout->addWidget(index);
    connect(indexFilter, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    connect(indexFilter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, browser_,
            [this](const QHelpLink& document, const QString&) { browser_->setSource(document.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, browser_, [this](const QList<QHelpLink>& documents, const QString&) {
        if (!documents.isEmpty()) browser_->setSource(documents.first().url);
    });

    QHelpSearchEngine* search = engine_->searchEngine();
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    search->queryWidget()->setAccessibleName(QStringLiteral("Suchbegriffe"));
    search->resultWidget()->setAccessibleName(QStringLiteral("Suchergebnisse"));
    searchLayout->addWidget(search->queryWidget());
    searchLayout->addWidget(search->resultWidget(), 1);
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, search,
            [search] { search->search(search->queryWidget()->searchInput()); });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, browser_,
            [this](const QUrl& page) { browser_->setSource(page); });
    search->reindexDocumentation();

    navigation_ = new QTabWidget;
    navigation_->setAccessibleName(QStringLiteral("Navigation"));
    navigation_->addTab(contents, QStringLiteral("&Inhalt"));
    navigation_->addTab(indexPage, QStringLiteral("In&dex"));
    navigation_->addTab(searchPage, QStringLiteral("&Suchen"));

    auto* splitter = new QSplitter;
    splitter->addWidget(navigation_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 720});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    return true;
}

void HelpWindow::showTopic(const QString& topic, QWidget* modalDialog) {
    browser_->setSource(QUrl(QStringLiteral("qthelp://%1/doc/%2").arg(namespace_, topic)));
    showInFront(modalDialog);
}

void HelpWindow::showContents() { navigation_->setCurrentIndex(0); }

QUrl HelpWindow::currentPage() const { return browser_->source(); }

void HelpWindow::showInFront(QWidget* modalDialog) {
    if (modalDialog != nullptr && parentWidget() != modalDialog) {
        setParent(modalDialog, Qt::Window);
        // Back to the program's window before the dialog goes, and with it its children.
        if (auto* dialog = qobject_cast<QDialog*>(modalDialog)) {
            connect(dialog, &QDialog::finished, this, [this] {
                const bool shown = isVisible();
                setParent(home_, Qt::Window);
                if (shown) show();
            }, Qt::SingleShotConnection);
        }
    }
    show();
    raise();
    activateWindow();
}

}  // namespace tavo
