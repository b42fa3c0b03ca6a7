#include "frmViewer.h"

#include "FaxEmailDialog.h"
#include "ImagePages.h"
#include "Log.h"
#include "Messages.h"
#include "PagePrinter.h"
#include "PageView.h"
#include "PdfPages.h"
#include "ReplyFraming.h"
#include "RtfReader.h"
#include "SeparatorCheck.h"
#include "SharedState.h"
#include "Text.h"
#include "TextPages.h"
#include "WaitPointer.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace corvane {

namespace {

const char* const viewerPreferencesKey = "VIEWERPREFS";
constexpr int pagesBeforeProgress = 20;
// Milliseconds of layout before a document is first shown, and per turn of the event loop after that.
constexpr int firstLayoutSlice = 150;
constexpr int layoutSlice = 30;

frmViewer::PrintDialogRunner& printDialogRunner()
{
    static frmViewer::PrintDialogRunner runner;
    return runner;
}

frmViewer::PrinterFactory& printerFactory()
{
    static frmViewer::PrinterFactory factory;
    return factory;
}

QList<QPointer<frmViewer>>& heldWindows()
{
    static QList<QPointer<frmViewer>> windows;
    return windows;
}

QString qs(std::string_view wire)
{
    return WireCodec::toQString(wire);
}

/// A file named by the host: by its byte-order mark, else UTF-8 when it reads as such, else Windows-1252.
QString decodeFileText(const QByteArray& bytes)
{
    if (auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return WireCodec::toQString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

/// The web view of the viewer: links that ask for a window of their own open in a new viewer window.
class ViewerWebView final : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;
    std::function<QWebEngineView*()> newWindow;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return newWindow ? newWindow() : nullptr; }
};

} // namespace

frmViewer::frmViewer(QWidget* parent)
    : QDialog(parent)
{
    buildWindow();
}

frmViewer::~frmViewer() = default;

void frmViewer::setPrintDialogRunner(PrintDialogRunner runner)
{
    printDialogRunner() = std::move(runner);
}

void frmViewer::setPrinterFactory(PrinterFactory factory)
{
    printerFactory() = std::move(factory);
}

void frmViewer::releaseHeldWindows()
{
    auto& windows = heldWindows();
    const auto held = windows;
    windows.clear();
    for (const QPointer<frmViewer>& window : held) {
        if (window) {
            window->close();
            delete window.data();
        }
    }
}

void frmViewer::buildWindow()
{
    setObjectName(QStringLiteral("frmViewer"));
    setWindowTitle(QStringLiteral("Viewer"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(900, 700);

    auto* layout = new QVBoxLayout(this);
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("mnuBar"));
    layout->setMenuBar(m_menuBar);

    m_fileMenu = m_menuBar->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    m_mnuPrint = m_fileMenu->addAction(QStringLiteral("&Print..."));
    m_mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    m_mnuLocalPrint = m_fileMenu->addAction(QStringLiteral("&Local Print..."));
    m_mnuLocalPrint->setObjectName(QStringLiteral("mnuLocalPrint"));
    m_mnuPrintPreview = m_fileMenu->addAction(QStringLiteral("Print Pre&view..."));
    m_mnuPrintPreview->setObjectName(QStringLiteral("mnuPrintPreview"));
    m_mnuSpacer = m_fileMenu->addSeparator();
    m_mnuSpacer->setObjectName(QStringLiteral("mnuSpacer"));
    m_mnuCurrentRecord = m_fileMenu->addAction(QString());
    m_mnuCurrentRecord->setObjectName(QStringLiteral("mnuCurrentRecord"));
    m_mnuNextPrev[0] = m_fileMenu->addAction(QStringLiteral("Previous Document"));
    m_mnuNextPrev[0]->setObjectName(QStringLiteral("mnuNextPrevDocument_0"));
    m_mnuNextPrev[1] = m_fileMenu->addAction(QStringLiteral("Next Document"));
    m_mnuNextPrev[1]->setObjectName(QStringLiteral("mnuNextPrevDocument_1"));
    m_fileMenu->addSeparator();
    m_mnuExit = m_fileMenu->addAction(QStringLiteral("E&xit"));
    m_mnuExit->setObjectName(QStringLiteral("mnuExit"));

    m_zoomMenu = m_menuBar->addMenu(QStringLiteral("&Zoom"));
    m_zoomMenu->setObjectName(QStringLiteral("mnuZoom"));
    m_zoomItems = new QActionGroup(this);
    m_zoomItems->setExclusive(true);
    for (int index = 1; index <= 10; ++index) {
        QAction* item = m_zoomMenu->addAction(QStringLiteral("%1%").arg(index * 25));
        item->setObjectName(QStringLiteral("mnuView_ZoomItem_%1").arg(index));
        item->setCheckable(true);
        item->setData(index);
        m_zoomItems->addAction(item);
        connect(item, &QAction::triggered, this, [this, index] { applyZoom(index); });
    }
    m_zoomMenu->addSeparator();
    QAction* fitWidth = m_zoomMenu->addAction(QStringLiteral("Fit &Width"));
    fitWidth->setObjectName(QStringLiteral("mnuFitWidth"));
    connect(fitWidth, &QAction::triggered, this, [this] { setFit(1); });
    QAction* fitPage = m_zoomMenu->addAction(QStringLiteral("Fit &Page"));
    fitPage->setObjectName(QStringLiteral("mnuFitPage"));
    connect(fitPage, &QAction::triggered, this, [this] { setFit(2); });

    auto* buttons = new QHBoxLayout;
    m_cmdPrint = makeButton(this, "cmdPrint", QStringLiteral("&Print"));
    m_cmdLocalPrint = makeButton(this, "cmdLocalPrint", QStringLiteral("&Local Print"));
    m_cmdPrintPreview = makeButton(this, "cmdPrintPreview", QStringLiteral("Pre&view"));
    m_cmbPrinters = new QComboBox(this);
    m_cmbPrinters->setObjectName(QStringLiteral("cmbCorvanePrinters"));
    m_cmbPrinters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cmbPrinters->setMinimumContentsLength(18);
    m_cmdZoomOut = makeButton(this, "cmdZoomOut", QStringLiteral("Zoom &Out"));
    m_cmdZoomIn = makeButton(this, "cmdZoomIn", QStringLiteral("Zoom &In"));
    m_cmdFitWidth = makeButton(this, "cmdFitWidth", QStringLiteral("Fit &Width"));
    m_cmdFitPage = makeButton(this, "cmdFitPage", QStringLiteral("Fit P&age"));
    m_cmdFax = makeButton(this, "cmdFax", QStringLiteral("Fax/Email Current"));
    m_cmdFaxQueue = makeButton(this, "cmdFaxQueue", QStringLiteral("Fax/Email Status"));
    m_cmdExit = makeButton(this, "cmdExit", QStringLiteral("E&xit"));
    for (QWidget* widget :
         std::initializer_list<QWidget*> {m_cmdPrint, m_cmdLocalPrint, m_cmdPrintPreview, m_cmbPrinters, m_cmdZoomOut,
                                          m_cmdZoomIn, m_cmdFitWidth, m_cmdFitPage, m_cmdFax, m_cmdFaxQueue})
        buttons->addWidget(widget);
    buttons->addStretch();
    buttons->addWidget(m_cmdExit);
    layout->addLayout(buttons);

    auto* findRow = new QHBoxLayout;
    m_fraFind = new QFrame(this);
    m_fraFind->setObjectName(QStringLiteral("fraFind"));
    auto* findLayout = new QHBoxLayout(m_fraFind);
    findLayout->setContentsMargins(0, 0, 0, 0);
    auto* findLabel = new QLabel(QStringLiteral("&Find:"), m_fraFind);
    findLabel->setObjectName(QStringLiteral("lblFind"));
    m_txtFindString = new QLineEdit(m_fraFind);
    m_txtFindString->setObjectName(QStringLiteral("txtFindString"));
    findLabel->setBuddy(m_txtFindString);
    m_cmdFind = makeButton(m_fraFind, "cmdFind", QStringLiteral(" Find...      Ctrl+F "));
    // Enter searches again wherever the focus is, unless it is on another button.
    m_cmdFind->setDefault(true);
    findLayout->addWidget(findLabel);
    findLayout->addWidget(m_txtFindString, 1);
    findLayout->addWidget(m_cmdFind);
    findRow->addWidget(m_fraFind, 1);

    m_fraDocsNav = new QFrame(this);
    m_fraDocsNav->setObjectName(QStringLiteral("fraDocsNav"));
    auto* navLayout = new QHBoxLayout(m_fraDocsNav);
    navLayout->setContentsMargins(0, 0, 0, 0);
    m_cmdPrevNextDoc[0] = makeButton(m_fraDocsNav, "cmdPrevNextDoc_0", QStringLiteral("Previous Document"));
    m_lblDocNum = new QLabel(m_fraDocsNav);
    m_lblDocNum->setObjectName(QStringLiteral("lblDocNum"));
    m_lblDocNum->setMinimumWidth(80);
    m_lblDocNum->setAlignment(Qt::AlignCenter);
    m_cmdPrevNextDoc[1] = makeButton(m_fraDocsNav, "cmdPrevNextDoc_1", QStringLiteral("Next Document"));
    navLayout->addWidget(m_cmdPrevNextDoc[0]);
    navLayout->addWidget(m_lblDocNum);
    navLayout->addWidget(m_cmdPrevNextDoc[1]);
    findRow->addWidget(m_fraDocsNav);
    layout->addLayout(findRow);

    m_views = new QStackedWidget(this);
    m_views->setObjectName(QStringLiteral("stkViews"));
    m_pageView = new PageView(m_views);
    m_pageView->setObjectName(QStringLiteral("TXTextControl2"));
    m_views->addWidget(m_pageView);
    layout->addWidget(m_views, 1);

    m_lblPage = new QLabel(this);
    m_lblPage->setObjectName(QStringLiteral("lblPage"));
    layout->addWidget(m_lblPage);

    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setInterval(0);
    connect(m_layoutTimer, &QTimer::timeout, this, [this] {
        if (!m_pages || m_pages->layOutMore(layoutSlice))
            m_layoutTimer->stop();
        m_pageView->refresh();
    });
    connect(m_pageView, &PageView::pageChanged, this, &frmViewer::updatePageLabel);
    connect(m_pageView, &PageView::zoomStepRequested, this, &frmViewer::ZoomInOut);
    connect(m_cmdZoomIn, &QPushButton::clicked, this, [this] { ZoomInOut(1); });
    connect(m_cmdZoomOut, &QPushButton::clicked, this, [this] { ZoomInOut(-1); });
    connect(m_cmdFitWidth, &QPushButton::clicked, this, [this] { setFit(1); });
    connect(m_cmdFitPage, &QPushButton::clicked, this, [this] { setFit(2); });
    connect(m_cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_mnuExit, &QAction::triggered, this, &QDialog::reject);
    connect(m_cmdPrint, &QPushButton::clicked, this, &frmViewer::cmdPrint_Click);
    connect(m_mnuPrint, &QAction::triggered, this, &frmViewer::cmdPrint_Click);
    connect(m_cmdLocalPrint, &QPushButton::clicked, this, &frmViewer::printLocally);
    connect(m_mnuLocalPrint, &QAction::triggered, this, &frmViewer::printLocally);
    connect(m_cmdPrintPreview, &QPushButton::clicked, this, &frmViewer::ShowPrintPreview);
    connect(m_mnuPrintPreview, &QAction::triggered, this, &frmViewer::ShowPrintPreview);
    connect(m_cmdFind, &QPushButton::clicked, this, [this] { FindNext(false); });
    for (int i = 0; i < 2; ++i) {
        connect(m_cmdPrevNextDoc[i], &QPushButton::clicked, this, [this, i] { PrevNextDoc(i); });
        connect(m_mnuNextPrev[i], &QAction::triggered, this, [this, i] { PrevNextDoc(i); });
    }
    connect(m_cmdFax, &QPushButton::clicked, this, &frmViewer::cmdFax_Click);
    connect(m_cmdFaxQueue, &QPushButton::clicked, this, &frmViewer::cmdFaxQueue_Click);

    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { takeSelectionIntoFindBox(); });
    shortcut(QKeySequence(Qt::Key_F3), [this] { FindNext(false); });
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { FindNext(true); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { ZoomInOut(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { ZoomInOut(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { ZoomInOut(-1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { applyZoom(4); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { cmdPrint_Click(); });

    // Page keys page through the document wherever the focus is, the find box included.
    m_txtFindString->installEventFilter(this);
}

bool frmViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtFindString && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter in the find box always finds, whichever button happens to be the default at the moment.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            FindNext(false);
            return true;
        }
        if (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp) {
            m_pageView->showPage(m_pageView->currentPage() + (key->key() == Qt::Key_PageDown ? 1 : -1));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool frmViewer::ShowCode(const Inputs& inputs)
{
    try {
        m_inputs = inputs;
        m_result = false;
        m_jobs = ViewerOptions::splitJobId(inputs.jobId);
        m_mode = ViewerOptions::splitMode(inputs.mode);
        m_firstRequest = inputs.request ? inputs.document : std::string();
        m_fromRequest = inputs.request;
        if (!inputs.caption.empty())
            setWindowTitle(qs(inputs.caption));

        m_choice = ViewerOptions::decodeFormat(inputs.format);
        if (!m_choice.message.empty())
            tell(m_choice.message, PromptIcon::None, "Viewer");
        m_settings = ViewerOptions::splitDocumentSettings(inputs.settings);

        std::string document;
        const bool dataPresent = obtainDocument(document);
        applyVisibility();
        if (m_mode.serverPrint)
            LoadPrintesBox();

        {
            const WaitPointer wait;
            if (m_choice.view == ViewerView::Browser && dataPresent)
                showInBrowser(document);
            else
                LoadDataIntoTextControl(document, dataPresent);
        }
        enableNavigation();

        switch (inputs.action) {
        case 2:
            return PrintDocument(m_settings.askForPrinter);
        case 3:
            return ShowPrintPreview();
        case 1:
            break;
        default:
            tell((m_choice.view == ViewerView::Browser ? "BROWSER_CONTROL - PrintPreviewChoice not defined = "
                                                       : "TEXT_CONTROL - PrintPreviewChoice not defined = ")
                 + std::to_string(inputs.action));
            break;
        }
        readWindowPreferences();
        m_shown = true;
        m_pageView->setFocus();
        WindowRunner::run(*this);
        return m_result;
    } catch (...) {
        const std::string description = Log::describeCurrentException();
        Log::error("ERR in frmViewer.ShowCode    ", description);
        tell("Error while loading Viewer \r\n" + description, PromptIcon::Critical);
        return false;
    }
}

bool frmViewer::obtainDocument(std::string& document)
{
    if (!m_inputs.request) {
        document = m_inputs.document;
        return !text::trim(document).empty();
    }
    auto& state = SharedState::instance();
    if (!state.quillon)
        return false;
    std::string error;
    bool success = false;
    state.quillon->GetServerStringData(m_inputs.document, document, {}, error, success);
    if (!success) {
        Log::commFailure("GetServerStringData", "frmViewer.ShowCode");
        tell("Error retrieving  document.", PromptIcon::Critical, "Error");
        document.clear();
        return false;
    }
    return !text::trim(document).empty();
}

void frmViewer::applyVisibility()
{
    const bool browserView = m_choice.view == ViewerView::Browser;
    const bool hasList = m_fromRequest && !m_jobs.list.empty();
    const bool pagedKind = !browserView;
    m_cmdZoomIn->setVisible(pagedKind);
    m_cmdZoomOut->setVisible(pagedKind);
    m_cmdFitWidth->setVisible(pagedKind);
    m_cmdFitPage->setVisible(pagedKind);
    m_zoomMenu->menuAction()->setVisible(!hasList);
    // Every view has a preview: the pages the printer would get.
    m_cmdPrintPreview->setVisible(true);
    m_mnuPrintPreview->setVisible(true);
    m_cmdFax->setVisible(m_mode.fax);
    m_cmdFaxQueue->setVisible(m_mode.fax);
    m_cmbPrinters->setVisible(m_mode.serverPrint);
    m_cmdLocalPrint->setVisible(m_mode.serverPrint);
    m_mnuLocalPrint->setVisible(m_mode.serverPrint && !hasList);
    m_fileMenu->menuAction()->setVisible(!m_mode.serverPrint && !hasList);
    m_fraDocsNav->setVisible(hasList);
    m_lblDocNum->setText(qs(m_jobs.current));
    m_mnuSpacer->setVisible(false);
    m_mnuCurrentRecord->setVisible(false);
    if (!hasList)
        m_mnuCurrentRecord->setText(QString());
    m_mnuNextPrev[0]->setVisible(false);
    m_mnuNextPrev[1]->setVisible(false);
    // Without a document number there is nothing the server could print.
    const bool serverPrintable = !text::trim(m_jobs.current).empty();
    if (m_mode.serverPrint) {
        m_cmbPrinters->setEnabled(serverPrintable);
        m_cmdPrint->setEnabled(serverPrintable);
    }
}

void frmViewer::LoadDataIntoTextControl(const std::string& documentIn, bool dataPresent)
{
    try {
        m_views->setCurrentWidget(m_pageView);
        if (!dataPresent) {
            loadDocument("NO DATA RETURNED", DocumentKind::PlainText);
            return;
        }
        DocumentKind kind = m_choice.kind;
        std::string document = documentIn;
        if (m_choice.fromFile) {
            QFile file(qs(document));
            if (!file.open(QIODevice::ReadOnly)) {
                tell("Error loading: 53:File not found " + document, PromptIcon::Critical);
                loadDocument("NO DATA RETURNED", DocumentKind::PlainText);
                return;
            }
            const QByteArray bytes = file.readAll();
            document.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
        if (m_choice.sniff)
            kind = ViewerOptions::sniff(document);
        if (kind == DocumentKind::Rtf && !RtfReader::looksLikeRtf(document)) {
            // What the server sends instead of a document is its error message: show it, then the text.
            if (text::startsWithNoCase(text::trim(document), "ERROR"))
                tell(document);
            else
                Log::line("ERR in frmViewer.LoadDataIntoTextControl    not RTF, shown as text");
            kind = ViewerOptions::sniff(document) == DocumentKind::Rtf ? DocumentKind::Rtf : DocumentKind::PlainText;
        }
        loadDocument(document, kind);
    } catch (...) {
        Log::error("ERR in frmViewer.LoadDataIntoTextControl    ", Log::describeCurrentException());
    }
}

void frmViewer::loadDocument(const std::string& document, DocumentKind kind)
{
    m_documentBytes = document;
    m_match = QTextCursor();
    m_highlighted.clear();
    m_matches.clear();
    std::unique_ptr<DocumentPages> pages;
    m_textPages = nullptr;
    const QByteArray bytes(document.data(), static_cast<qsizetype>(document.size()));
    if (kind == DocumentKind::Pdf)
        pages = PdfPages::fromBytes(bytes);
    else if (kind == DocumentKind::Image)
        pages = ImagePages::fromBytes(bytes);
    if ((kind == DocumentKind::Pdf || kind == DocumentKind::Image) && !pages) {
        tell("Error loading: 321:The document could not be read.", PromptIcon::Critical);
        kind = DocumentKind::PlainText;
    }
    if (!pages) {
        std::unique_ptr<TextPages> text;
        if (kind == DocumentKind::Rtf)
            text = TextPages::fromRtf(document);
        else if (kind == DocumentKind::Html)
            text = TextPages::fromHtml(m_choice.fromFile ? decodeFileText(bytes) : qs(document));
        else
            text = TextPages::fromPlainText(m_choice.fromFile ? decodeFileText(bytes) : qs(document));
        m_textPages = text.get();
        pages = std::move(text);
    }
    m_kind = kind;
    if (m_settings.orientation != 0)
        pages->setLandscape(m_settings.orientation == 2);
    m_pages = std::move(pages);
    m_fraFind->setVisible(m_textPages != nullptr);
    startLayout();
}

void frmViewer::startLayout()
{
    m_pageView->setPages(m_pages.get());
    continueLayout();
}

void frmViewer::continueLayout()
{
    const bool done = m_pages->layOutMore(firstLayoutSlice);
    m_pageView->refresh();
    if (done)
        m_layoutTimer->stop();
    else
        m_layoutTimer->start();
}

void frmViewer::showInBrowser(const std::string& document)
{
    if (!m_web) {
        auto* view = new ViewerWebView(m_views);
        view->setObjectName(QStringLiteral("WebBrowser1"));
        view->newWindow = [this]() -> QWebEngineView* {
            auto* window = new frmViewer(nullptr);
            window->setAttribute(Qt::WA_DeleteOnClose);
            heldWindows().append(window);
            window->m_choice.view = ViewerView::Browser;
            window->applyVisibility();
            window->showInBrowser(std::string());
            window->m_shown = false;
            window->show();
            // The page that opened it may ask to be closed once it has.
            m_web->page()->runJavaScript(
                QStringLiteral("(function(){var e=document.getElementsByName('closeform');"
                               "return e.length>0&&String(e[0].value).toLowerCase()=='yes';})()"),
                [self = QPointer<frmViewer>(this)](const QVariant& close) {
                    if (self && close.toBool())
                        self->reject();
                });
            return window->m_web;
        };
        m_web = view;
        m_views->addWidget(m_web);
        connect(m_web, &QWebEngineView::loadFinished, this, [this](bool) { updatePageLabel(0, 0); });
    }
    m_views->setCurrentWidget(m_web);
    m_pages.reset();
    m_textPages = nullptr;
    m_pageView->setPages(nullptr);
    m_fraFind->setVisible(true);
    if (m_choice.fromFile)
        m_web->setUrl(QUrl::fromUserInput(qs(document), QDir::currentPath(), QUrl::AssumeLocalFile));
    else
        m_web->setHtml(qs(document), QUrl(QStringLiteral("about:blank")));
}

int frmViewer::pageCount() const
{
    return m_pages ? m_pages->pageCount() : 0;
}

QString frmViewer::documentText() const
{
    return m_textPages ? m_textPages->plainText() : QString();
}

void frmViewer::updatePageLabel(int page, int count)
{
    if (count <= 0 || !m_pages) {
        m_lblPage->clear();
        return;
    }
    m_lblPage->setText(QStringLiteral("Page %1 of %2").arg(page + 1).arg(count));
}

// --- window preferences --------------------------------------------------------------------------------------

void frmViewer::readWindowPreferences()
{
    int zoom = 3;
    try {
        auto& state = SharedState::instance();
        if (ViewerOptions::usableKey(m_inputs.prefsKey) && state.preferences) {
            const auto placement
                = ViewerOptions::findPlacement(state.preferences->value(viewerPreferencesKey), m_inputs.prefsKey);
            if (placement) {
                zoom = placement->zoomIndex;
                if (placement->maximised) {
                    setWindowState(windowState() | Qt::WindowMaximized);
                } else {
                    const QRect desktop = screen() ? screen()->virtualGeometry() : QRect(0, 0, 1920, 1080);
                    const qreal twips = 1440.0 / (logicalDpiX() > 0 ? logicalDpiX() : 96);
                    WindowPlacement clamped = *placement;
                    ViewerOptions::keepOnDesktop(clamped,
                                                 TwipsRect {static_cast<long>(desktop.x() * twips),
                                                            static_cast<long>(desktop.y() * twips),
                                                            static_cast<long>(desktop.width() * twips),
                                                            static_cast<long>(desktop.height() * twips)});
                    const int width = clamped.width > 0 ? static_cast<int>(clamped.width / twips) : this->width();
                    const int height = clamped.height > 0 ? static_cast<int>(clamped.height / twips) : this->height();
                    setGeometry(static_cast<int>(clamped.left / twips), static_cast<int>(clamped.top / twips), width,
                                height);
                }
            }
        }
    } catch (...) {
        Log::error("ERR in frmViewer.Form_Load    ", Log::describeCurrentException());
    }
    applyZoom(zoom);
}

void frmViewer::writeWindowPreferences()
{
    auto& state = SharedState::instance();
    if (!m_shown || !ViewerOptions::usableKey(m_inputs.prefsKey) || !state.preferences)
        return;
    try {
        const qreal twips = 1440.0 / (logicalDpiX() > 0 ? logicalDpiX() : 96);
        WindowPlacement placement;
        placement.zoomIndex = m_zoomIndex;
        placement.maximised = isMaximized();
        const QRect frame = isMaximized() ? normalGeometry() : geometry();
        placement.left = static_cast<long>(frame.x() * twips);
        placement.top = static_cast<long>(frame.y() * twips);
        placement.width = static_cast<long>(frame.width() * twips);
        placement.height = static_cast<long>(frame.height() * twips);
        const std::string entry = ViewerOptions::placementEntry(m_inputs.prefsKey, placement);
        const std::string updated
            = ViewerOptions::storePlacement(state.preferences->value(viewerPreferencesKey), m_inputs.prefsKey, entry);
        if (!state.preferences->setValue(viewerPreferencesKey, updated) || !state.utils
            || !state.utils->SaveUserSettings())
            Log::line("Error unloading Viewer, setting UserPrefs not saved");
    } catch (...) {
        Log::error("Error unloading Viewer, setting UserPrefs ", Log::describeCurrentException());
    }
}

void frmViewer::done(int result)
{
    writeWindowPreferences();
    m_shown = false;
    QDialog::done(result);
}

// --- zoom ------------------------------------------------------------------------------------------------------

void frmViewer::applyZoom(int index)
{
    try {
        m_zoomIndex = std::clamp(index, 1, 10);
        for (QAction* item : m_zoomItems->actions())
            item->setChecked(item->data().toInt() == m_zoomIndex);
        m_pageView->setZoom(m_zoomIndex * 25);
        if (m_web)
            m_web->setZoomFactor(m_zoomIndex * 25 / 100.0);
        m_cmdZoomIn->setEnabled(m_zoomIndex < 10);
        m_cmdZoomOut->setEnabled(m_zoomIndex > 1);
    } catch (...) {
        Log::error("ERR in frmViewer.mnuView_ZoomItem_Click    Zoom error ", Log::describeCurrentException());
    }
}

void frmViewer::ZoomInOut(int step)
{
    applyZoom(m_zoomIndex + step);
}

void frmViewer::setFit(int fit)
{
    m_pageView->setFit(fit == 1 ? PageView::Fit::Width : PageView::Fit::Page);
}

// --- find ------------------------------------------------------------------------------------------------------

void frmViewer::takeSelectionIntoFindBox()
{
    if (!m_fraFind->isVisible())
        return;
    if (m_match.hasSelection())
        m_txtFindString->setText(m_match.selectedText());
    m_txtFindString->setFocus();
    m_txtFindString->selectAll();
}

void frmViewer::FindNext(bool backward)
{
    try {
        const QString text = m_txtFindString->text().trimmed();
        if (text.isEmpty() || !m_fraFind->isVisible())
            return;
        if (m_web && m_views->currentWidget() == m_web) {
            m_web->findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
            return;
        }
        SearchString(text, backward);
    } catch (...) {
        Log::error("Error in frmViewer.FindNext, ", Log::describeCurrentException());
    }
}

void frmViewer::highlightAll(const QString& text)
{
    if (!m_textPages || m_highlighted == text)
        return;
    m_highlighted = text;
    m_matches.clear();
    // Enough to light up what is on screen in any real document; a search for "e" in a long run stops here.
    for (QTextCursor found = m_textPages->find(text, QTextCursor()); !found.isNull() && m_matches.size() < 5000;
         found = m_textPages->find(text, found))
        m_matches.append(found);
    m_textPages->setHighlights(m_matches, m_match);
    m_pageView->refresh();
}

void frmViewer::selectMatch(const QTextCursor& match)
{
    m_match = match;
    m_textPages->setHighlights(m_matches, m_match);
    QRectF area;
    const int page = m_textPages->pageOf(match, &area);
    m_pageView->showArea(page, area);
    m_pageView->refresh();
}

void frmViewer::SearchString(const QString& text, bool backward)
{
    try {
        if (!m_textPages)
            return;
        highlightAll(text);
        const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
        QTextCursor found = m_textPages->find(text, m_match, flags);
        if (!found.isNull()) {
            selectMatch(found);
            return;
        }
        // Nothing further on: is it anywhere at all?
        QTextCursor anywhere = m_textPages->find(text, QTextCursor(), flags);
        const std::string quoted = WireCodec::toWireLossy(text);
        if (anywhere.isNull()) {
            tell(" '" + quoted + "' not found.", PromptIcon::Information, "Find Results");
            focusWhenVisible(m_txtFindString);
            return;
        }
        const std::string question = backward
            ? std::string(" Beginning of document reached.\r\n Do you want to continue from the end?")
            : std::string(" End of document reached.\r\n Do you want to start from the beginning?");
        if (ask(question, PromptButtons::YesNo, PromptAnswer::Yes, PromptIcon::Information, "Find Results")
            == PromptAnswer::Yes)
            selectMatch(anywhere);
    } catch (...) {
        Log::error("Error in frmViewer.SearchString, ", Log::describeCurrentException());
        tell(" Error occurred", PromptIcon::Information, "Find Results");
    }
}

// --- navigation ------------------------------------------------------------------------------------------------

void frmViewer::enableNavigation()
{
    m_cmdPrevNextDoc[0]->setEnabled(m_jobs.previousEnabled());
    m_cmdPrevNextDoc[1]->setEnabled(m_jobs.nextEnabled());
}

void frmViewer::PrevNextDoc(int index)
{
    try {
        const int position = m_jobs.position();
        const int last = static_cast<int>(m_jobs.list.size()) - 1;
        if (index == 0 && position <= 0) {
            tell("Reached the beginning of the list", PromptIcon::None, "Previous");
            return;
        }
        if (index == 1 && position >= last) {
            tell("Reached the end of the list", PromptIcon::None, "Next");
            return;
        }
        const std::string& number = m_jobs.list[static_cast<std::size_t>(index == 0 ? position - 1 : position + 1)];
        auto& state = SharedState::instance();
        std::string reply;
        std::string error;
        bool success = false;
        if (state.quillon)
            state.quillon->GetServerStringData(ViewerOptions::neighbourRequest(m_firstRequest, number), reply, {},
                                               error, success);
        if (!success) {
            Log::commFailure("GetServerStringData", "frmViewer.cmdPrevNextDoc_Click");
            tell("Error retrieving  document.", PromptIcon::Critical, "Error");
            return;
        }
        m_txtFindString->clear();
        m_jobs.current = number;
        m_lblDocNum->setText(qs(number));
        {
            const WaitPointer wait;
            LoadDataIntoTextControl(reply, !text::trim(reply).empty());
        }
        applyZoom(m_zoomIndex);
        enableNavigation();
    } catch (...) {
        Log::error("ERR in frmViewer.cmdPrevNextDoc_Click    Error opening new document ",
                   Log::describeCurrentException());
    }
}

// --- printing --------------------------------------------------------------------------------------------------

std::unique_ptr<QPrinter> frmViewer::makePrinter() const
{
    if (printerFactory())
        return printerFactory()();
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

void frmViewer::applyHostOrientation()
{
    // Without the host's Orientation= every part of the document keeps its own paper.
    if (m_pages && m_settings.orientation != 0)
        turnPages(m_settings.orientation == 2);
}

void frmViewer::turnPages(bool landscape)
{
    m_pages->setLandscape(landscape);
    continueLayout();
}

bool frmViewer::printBrowser(QPrinter& printer)
{
    if (!m_web)
        return false;
    QEventLoop wait;
    bool printed = false;
    const auto connection = connect(m_web, &QWebEngineView::printFinished, &wait, [&](bool ok) {
        printed = ok;
        wait.quit();
    });
    m_web->print(&printer);
    wait.exec();
    disconnect(connection);
    return printed;
}

bool frmViewer::PrintDocument(bool prompt)
{
    try {
        const bool browserView = m_pages == nullptr && m_web;
        if (!m_pages && !browserView)
            return false;
        std::unique_ptr<QPrinter> printer = makePrinter();
        const QString title = windowTitle();
        printer->setDocName(m_textPages && !m_textPages->title().isEmpty() ? m_textPages->title() : title);
        if (m_pages) {
            applyHostOrientation();
            PagePrinter::preparePrinter(*printer, *m_pages); // lays out every page
        } else {
            printer->setPageOrientation(m_settings.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
        }
        const int count = m_pages ? m_pages->pageCount() : 1;
        // No default printer: ask rather than fail.
        const bool ask
            = prompt || (printer->outputFormat() == QPrinter::NativeFormat && QPrinterInfo::defaultPrinter().isNull());
        if (ask) {
            printer->setFromTo(1, count);
            bool accepted = false;
            if (printDialogRunner()) {
                accepted = printDialogRunner()(*printer, 1, count, this);
            } else {
                QPrintDialog dialog(printer.get(), isVisible() ? this : parentWidget());
                dialog.setObjectName(QStringLiteral("dlgPrint"));
                dialog.setMinMax(1, count);
                dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, m_pages != nullptr);
                accepted = dialog.exec() == QDialog::Accepted;
            }
            if (!accepted)
                return false;
        }
        if (browserView)
            return printBrowser(*printer);

        // A paper turned in the dialog reflows the document; the range then counts the new pages.
        const bool landscape = printer->pageLayout().orientation() == QPageLayout::Landscape;
        if (landscape != m_pages->landscape())
            turnPages(landscape);
        int first = 1;
        int last = m_pages->pageCount();
        if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
            first = printer->fromPage();
            last = std::max(first, printer->toPage());
        } else if (printer->printRange() == QPrinter::CurrentPage) {
            first = last = m_pageView->currentPage() + 1;
        }
        std::unique_ptr<QProgressDialog> progress;
        if (last - first + 1 > pagesBeforeProgress) {
            progress = std::make_unique<QProgressDialog>(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0,
                                                         last - first + 1, isVisible() ? this : nullptr);
            progress->setObjectName(QStringLiteral("dlgPrintProgress"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(500);
        }
        const bool printed = PagePrinter::print(*m_pages, *printer, first, last, [&](int done, int) {
            if (!progress)
                return true;
            progress->setValue(done);
            return !progress->wasCanceled();
        });
        if (!printed && !(progress && progress->wasCanceled())) {
            Log::error("Viewer - PrintDocument error ", "the printer refused the job");
            tell("Failed to print the document", PromptIcon::Critical, "Print error");
        }
        return printed;
    } catch (...) {
        Log::error("Viewer - PrintDocument error ", Log::describeCurrentException());
        tell("Failed to print the document", PromptIcon::Critical, "Print error");
        return false;
    }
}

bool frmViewer::ShowPrintPreview()
{
    try {
        if (!m_pages && !m_web)
            return false;
        std::unique_ptr<QPrinter> printer = makePrinter();
        if (m_pages) {
            applyHostOrientation();
            PagePrinter::preparePrinter(*printer, *m_pages); // lays out every page
        }
        QPrintPreviewDialog preview(printer.get(), isVisible() ? this : parentWidget());
        preview.setObjectName(QStringLiteral("dlgPrintPreview"));
        preview.setWindowTitle(windowTitle());
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
            if (m_pages)
                PagePrinter::print(*m_pages, *target, 1, m_pages->pageCount());
            else
                printBrowser(*target);
        });
        preview.exec();
        return true;
    } catch (...) {
        Log::error("Viewer - PrintDocument error ", Log::describeCurrentException());
        return false;
    }
}

void frmViewer::printLocally()
{
    PrintDocument(true);
}

void frmViewer::LoadPrintesBox()
{
    try {
        auto& state = SharedState::instance();
        m_cmbPrinters->clear();
        m_printers.clear();
        if (!state.utils)
            return;
        std::vector<ServerPrinter> printers;
        state.utils->GetServerPrinterList(printers);
        int widest = 0;
        const QFontMetrics metrics(m_cmbPrinters->font());
        for (std::size_t i = 0; i < printers.size(); ++i) {
            const ServerPrinter& printer = printers[i];
            if (!printer.eligible)
                continue;
            const std::string entry = ViewerOptions::printerEntry(printer.name, printer.description, printer.port);
            m_printers.push_back({entry, printer.name, printer.eligible});
            m_cmbPrinters->addItem(qs(entry), static_cast<int>(i + 1));
            widest = std::max(widest, metrics.horizontalAdvance(qs(entry)));
        }
        m_cmbPrinters->view()->setMinimumWidth(widest + 20);
        m_cmbPrinters->setCurrentIndex(-1);
        if (!state.quillon)
            return;
        const std::string request = "|GET|PRT|TRAN|";
        std::string reply;
        std::string error;
        bool success = false;
        state.quillon->GetServerStringData(request, reply, {}, error, success);
        if (!success || ReplyFraming::isErrorLine(reply)) {
            tell("Error reading the remembered printer\r\n" + request, PromptIcon::Critical, "Remember Printer");
            return;
        }
        std::vector<std::string> entries, names;
        for (const PrinterEntry& printer : m_printers) {
            entries.push_back(printer.text);
            names.push_back(printer.name);
        }
        m_cmbPrinters->setCurrentIndex(ViewerOptions::rememberedEntry(entries, names, text::trim(reply)));
    } catch (...) {
        Log::error("Error in LoadPrintesBox ", Log::describeCurrentException());
    }
}

void frmViewer::cmdPrint_Click()
{
    if (!m_mode.serverPrint) {
        PrintDocument(true);
        return;
    }
    if (text::trim(m_jobs.current).empty())
        return;
    const int index = m_cmbPrinters->currentIndex();
    if (index < 0 || index >= static_cast<int>(m_printers.size())) {
        tell("Printer is not selected", PromptIcon::None, "Print");
        return;
    }
    const PrinterEntry& printer = m_printers[static_cast<std::size_t>(index)];
    if (const auto refused = SeparatorCheck::firstRefused(printer.name)) {
        tell(SeparatorCheck::refusalText("Printer", *refused), PromptIcon::Critical, "Print");
        return;
    }
    auto& state = SharedState::instance();
    if (!state.quillon)
        return;
    const std::string remember = "|SETP|PRT|TRAN|" + text::replaceAll(printer.text, "|", ";");
    std::string reply;
    std::string error;
    bool success = false;
    {
        const WaitPointer wait;
        state.quillon->GetServerStringData(remember, reply, {}, error, success);
    }
    bool printed = false;
    if (!success || text::trim(reply) != "1")
        tell("Error saving selected printer\r\n" + remember, PromptIcon::Critical, "Remember Printer");
    if (printer.eligible) {
        const std::string request = ViewerOptions::serverPrintRequest(m_jobs.current, printer.name);
        reply.clear();
        success = false;
        {
            const WaitPointer wait;
            state.quillon->GetServerStringData(request, reply, {}, error, success);
        }
        printed = success && !ReplyFraming::isErrorLine(reply);
        if (!printed)
            tell("Error printing \r\n" + request, PromptIcon::Critical, "Print Request");
    } else {
        tell("Must be Corvane Printer Only", PromptIcon::Critical);
        printed = PrintDocument(true);
    }
    if (!printed)
        return;
    tell("Printing document.", PromptIcon::None, "Print");
    m_result = true;
    focusWhenVisible(m_cmdExit);
}

// --- fax -------------------------------------------------------------------------------------------------------

void frmViewer::cmdFax_Click()
{
    m_result = true;
    FaxEmailDialog().ShowFaxEmailDlg(m_jobs.current);
}

void frmViewer::cmdFaxQueue_Click()
{
    m_result = true;
    FaxEmailDialog().ShowFaxStatusDlg();
}

} // namespace corvane
