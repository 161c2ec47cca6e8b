#pragma once

#include <string>

#include "install/http_response.h"

// The tool's own HTTP client: one GET per connection, redirects to http://
// followed at most 5 times. The body goes to a file beside the target that
// takes the target's place only when the whole body arrived, so a failed
// download leaves an earlier file at the path as it was. 1 or 0.
int HttpDownload(const std::string& url, const std::string& path,
                 const ResponseLimits& limits = ResponseLimits());
