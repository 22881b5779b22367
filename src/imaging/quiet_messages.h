#pragma once

namespace ruvo {

// Keeps Qt's messages off the terminal on this thread while it lives. Reading
// a damaged picture, or drawing an odd metafile (fonts of size zero, elements
// the SVG renderer does not know), makes Qt complain, thousands of times for
// some files; a picture is judged by its result, so the complaints are
// dropped. Other threads' messages, and this thread's once the guard is gone,
// go where they always went.
class QuietMessages
{
public:
    QuietMessages();
    ~QuietMessages();
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;
};

} // namespace ruvo
