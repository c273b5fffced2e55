// The one kind of failure the renderer reports: a one-line message for the user.
#pragma once

#include <stdexcept>
#include <string>

namespace orv::render {

class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace orv::render
