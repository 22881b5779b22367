#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

class GlobalParamsIniter;
class PDFDoc;

namespace ruvo {

// A PDF page that is one picture drawn over the whole page, as the pages of a comic made from
// scans are: shown at actual size at the picture's own pixels rather than at 96 dots per inch.
struct PdfPicturePage
{
    // The picture's size in pixels, as the page stands once turned as it asks.
    QSize pixels;
    // The picture's JPEG bytes as the file holds them, when decoding them gives the page's
    // pixels as they are drawn: a JPEG alone (no decode array, no mask) of RGB or grey, on a
    // page that is not turned, in a file that is not encrypted. Empty otherwise, or when they
    // were not asked for; the page is then drawn.
    QByteArray jpeg;
};

// Whether the picture's bytes are read along with what the page is.
enum class PictureBytes
{
    Leave,
    Take
};

// The pages of one PDF that are one picture drawn over the whole page, and what drawing each
// page would ask for. The test is
// conservative: the page's resources hold one image and no fonts, and its contents are short
// and only draw that image upright over the page's visible area.
//
// The file is read with poppler's core through documents of its own, each used by one thread
// at a time: a use takes a free one, or opens another, and hands it back, so that pages are
// looked at on any number of threads at once, and a document kept knows the pages it has found
// already. See the source for the rules of poppler's core this keeps to.
class PdfPicturePages
{
public:
    // How many free documents are kept for the next use; more are closed as they come back.
    static constexpr std::size_t keptFree = 2;

    explicit PdfPicturePages(QString path);
    ~PdfPicturePages();
    PdfPicturePages(const PdfPicturePages&) = delete;
    PdfPicturePages& operator=(const PdfPicturePages&) = delete;

    // The page at index (from 0), when it is one picture drawn over the whole page; nothing
    // for any other page, and for a file that cannot be read.
    std::optional<PdfPicturePage> pageAt(int index, PictureBytes bytes);

    // Why drawing the page at index would ask for more than a page may take; empty when it
    // would not, or when the file cannot be read (drawing it then says why). Worked out once
    // for each page: it may mean unpacking all of its contents.
    QString overweightOf(int index);

private:
    // Runs use on a free document, or on one opened for it, and keeps it for the next use.
    template <typename Use> auto withDocument(Use use);

    const QString m_path;
    // Poppler's global parameters, held for as long as the documents below are.
    const std::unique_ptr<GlobalParamsIniter> m_globalParams;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<PDFDoc>> m_free;
    std::unordered_map<int, QString> m_overweight;
};

// The same for the PDF at path, opened for this call alone.
std::optional<PdfPicturePage> picturePageOf(const QString& path, int index, PictureBytes bytes);

} // namespace ruvo
