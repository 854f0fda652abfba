// The compiled parts of Boost.Asio and Boost.Beast, once for all of hall/.
#include <boost/asio/impl/src.hpp>
#include <boost/beast/src.hpp>
