#include "books/book_failure.h"

namespace ruvo {

BookFailure bookFailureOf(ReadFault fault)
{
    switch (fault) {
    case ReadFault::None:
    case ReadFault::Missing:
        return BookFailure::None;
    case ReadFault::NoPermission:
        return BookFailure::NoPermission;
    case ReadFault::NameTooLong:
        return BookFailure::NameTooLong;
    case ReadFault::NotFileOrFolder:
        return BookFailure::NotFileOrFolder;
    case ReadFault::Failed:
        break;
    }
    return BookFailure::ReadFailed;
}

} // namespace ruvo
