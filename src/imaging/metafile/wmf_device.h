#pragma once

#include <QImage>
#include <QRectF>

#include <memory>

struct _wmfAPI;

namespace ruvo {

struct WmfDeviceState;
struct WmfLayout;

// libwmf's device layer, drawing each shape, text and bitmap the player hands
// over through QPainter. libwmf's own back ends lose shapes, colours and
// bitmaps; this one keeps them.
class WmfDevice
{
public:
    explicit WmfDevice(const WmfLayout& layout);
    ~WmfDevice();
    WmfDevice(const WmfDevice&) = delete;
    WmfDevice& operator=(const WmfDevice&) = delete;

    // Given to wmf_lite_create, which calls it while it builds the API: fills
    // in the drawing functions and the font hooks.
    static void install(_wmfAPI* api);
    // Makes this the device the API draws on. Scanning needs it already, to
    // measure text.
    void attach(_wmfAPI* api);
    // Starts drawing onto target. scannedBounds is what the scan found drawn,
    // used when the file's own frame cannot be worked out.
    void begin(QImage* target, const QRectF& scannedBounds);
    void end();

private:
    std::unique_ptr<WmfDeviceState> m_d;
};

} // namespace ruvo
