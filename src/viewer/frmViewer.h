#pragma once

#include "ViewerOptions.h"

#include <QDialog>
#include <QPointer>
#include <QTextCursor>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPrinter;
class QPushButton;
class QStackedWidget;
class QTimer;
class QWebEngineView;

namespace corvane {

class DocumentPages;
class PageView;
class TextPages;

/// The document viewer: one document (RTF, HTML, plain text, PDF or pictures) on pages, or a web page, with zoom,
/// find, the previous and next document of a list, local printing and printing on the server's printers.
class frmViewer final : public QDialog {
    Q_OBJECT
public:
    /// What a show call hands the window.
    struct Inputs {
        std::string document; ///< the document, or the request that returns it
        bool request = false;
        std::string format;
        int action = 1; ///< 1 show, 2 print, 3 preview
        std::string settings;
        std::string caption;
        std::string jobId;
        std::string mode;
        std::string prefsKey;
    };

    explicit frmViewer(QWidget* parent = nullptr);
    ~frmViewer() override;

    /// Loads the document and acts: shows the window (through the window runner), prints it or previews it.
    /// Returns the window's result flag after a show, and whether printing or the preview went through otherwise.
    bool ShowCode(const Inputs& inputs);
    bool resultFlag() const { return m_result; }

    /// Prints the document: with the prompt the print dialog comes first (Cancel: false, silently).
    bool PrintDocument(bool prompt);
    /// Opens the print preview on the same pages the printer gets; false when there is nothing to preview.
    bool ShowPrintPreview();

    int zoomIndex() const { return m_zoomIndex; }
    int pageCount() const;
    DocumentPages* pages() const { return m_pages.get(); }
    DocumentKind kind() const { return m_kind; }
    QString documentText() const;
    QWebEngineView* browser() const { return m_web; }
    QTextCursor currentMatch() const { return m_match; }

    /// How print dialogs are asked (tests answer them): fills in the printer and says whether to go on.
    using PrintDialogRunner = std::function<bool(QPrinter& printer, int firstPage, int lastPage, QWidget* parent)>;
    static void setPrintDialogRunner(PrintDialogRunner runner);
    /// Where printers are made (tests send them to PDF files); nothing: the system's default printer.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    static void setPrinterFactory(PrinterFactory factory);
    /// Closes the viewer windows the library still holds (those opened from a web page's links).
    static void releaseHeldWindows();

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void applyVisibility();
    bool obtainDocument(std::string& document);
    void loadDocument(const std::string& document, DocumentKind kind);
    void LoadDataIntoTextControl(const std::string& document, bool dataPresent);
    void showInBrowser(const std::string& document);
    void readWindowPreferences();
    void writeWindowPreferences();
    void applyZoom(int index);
    void ZoomInOut(int step);
    void setFit(int fit);
    void updatePageLabel(int page, int count);
    /// Shows what the first moments lay out and leaves the rest of a long document to the layout timer.
    void startLayout();
    void continueLayout();
    void FindNext(bool backward);
    void takeSelectionIntoFindBox();
    void SearchString(const QString& text, bool backward);
    void highlightAll(const QString& text);
    void selectMatch(const QTextCursor& match);
    void PrevNextDoc(int index);
    void enableNavigation();
    void LoadPrintesBox();
    void cmdPrint_Click();
    void printLocally();
    bool printBrowser(QPrinter& printer);
    void cmdFax_Click();
    void cmdFaxQueue_Click();
    std::unique_ptr<QPrinter> makePrinter() const;
    /// The host's Orientation= turns every page; without it the document's own paper stays.
    void applyHostOrientation();
    /// Lays the pages out on paper turned the other way, showing them again as they are laid out.
    void turnPages(bool landscape);

    Inputs m_inputs;
    FormatChoice m_choice;
    DocumentKind m_kind = DocumentKind::PlainText;
    DocumentSettings m_settings;
    JobList m_jobs;
    ModeFlags m_mode;
    std::string m_firstRequest;
    std::string m_documentBytes;
    bool m_fromRequest = false;
    bool m_result = false;
    bool m_shown = false;
    int m_zoomIndex = 3;
    struct PrinterEntry {
        std::string text;
        std::string name;
        bool eligible = false;
    };
    std::vector<PrinterEntry> m_printers;

    std::unique_ptr<DocumentPages> m_pages;
    TextPages* m_textPages = nullptr;
    QTimer* m_layoutTimer = nullptr; ///< lays out the rest of a long document after its first pages are shown
    QTextCursor m_match;
    QString m_highlighted;
    QList<QTextCursor> m_matches;

    QMenuBar* m_menuBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_zoomMenu = nullptr;
    QAction* m_mnuPrint = nullptr;
    QAction* m_mnuLocalPrint = nullptr;
    QAction* m_mnuPrintPreview = nullptr;
    QAction* m_mnuSpacer = nullptr;
    QAction* m_mnuCurrentRecord = nullptr;
    QAction* m_mnuNextPrev[2] = {nullptr, nullptr};
    QAction* m_mnuExit = nullptr;
    QActionGroup* m_zoomItems = nullptr;
    QStackedWidget* m_views = nullptr;
    PageView* m_pageView = nullptr;
    QWebEngineView* m_web = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdLocalPrint = nullptr;
    QPushButton* m_cmdPrintPreview = nullptr;
    QPushButton* m_cmdZoomIn = nullptr;
    QPushButton* m_cmdZoomOut = nullptr;
    QPushButton* m_cmdFitWidth = nullptr;
    QPushButton* m_cmdFitPage = nullptr;
    QPushButton* m_cmdFax = nullptr;
    QPushButton* m_cmdFaxQueue = nullptr;
    QPushButton* m_cmdExit = nullptr;
    QComboBox* m_cmbPrinters = nullptr;
    QFrame* m_fraDocsNav = nullptr;
    QLabel* m_lblDocNum = nullptr;
    QPushButton* m_cmdPrevNextDoc[2] = {nullptr, nullptr};
    QFrame* m_fraFind = nullptr;
    QLineEdit* m_txtFindString = nullptr;
    QPushButton* m_cmdFind = nullptr;
    QLabel* m_lblPage = nullptr;
};

} // namespace corvane
