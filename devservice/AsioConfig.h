// Standalone Asio as the service uses it: error-code overloads everywhere, so nothing is
// thrown on the paths we take. (Asio's headers themselves need exceptions and RTTI, which
// is why the networking half of devservice is built with them and the protocol half not.)
#pragma once

#include <asio.hpp>
