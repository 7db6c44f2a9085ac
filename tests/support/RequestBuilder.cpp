#include "support/RequestBuilder.h"

namespace quorvel::test {

RunRequest RequestBuilder::build() const {
    RunRequest request;
    request.mode = mode;
    request.leftDirectory = left;
    request.rightDirectory = right;
    request.leftNames = leftSelection;
    request.rightName = rightSelection;
    request.options = options;
    return request;
}

} // namespace quorvel::test
