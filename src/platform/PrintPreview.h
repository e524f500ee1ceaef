#pragma once

#include <QByteArray>
#include <QDialog>

class QAction;
class QBuffer;
class QPdfDocument;
class QPdfView;
class QProgressBar;

namespace lorva {

// The print preview: the pages of a PDF, drawn as they come into sight
// (only those), with zoom, page setup and printing. The pages are made
// elsewhere; until they are there the dialog says it is busy.
class PrintPreview : public QDialog
{
    Q_OBJECT

public:
    explicit PrintPreview(QWidget *parent);
    ~PrintPreview() override;

    // Shows the pages of `pdf`; empty while they are being made.
    void setPdf(const QByteArray &pdf);
    const QByteArray &pdf() const { return m_pdf; }

signals:
    void printRequested();
    void pageSetupRequested();

private:
    QByteArray m_pdf;
    QBuffer *m_buffer;
    QPdfDocument *m_document;
    QPdfView *m_view;
    QProgressBar *m_making;
    QList<QAction *> m_needPages; // what waits for the pages
};

} // namespace lorva
