#pragma once

// Client error numbers and their texts (2000 to 2020).

#include <string>

enum : int {
    CR_UNKNOWN_ERROR = 2000,
    CR_SOCKET_CREATE_ERROR = 2001,
    CR_CONNECTION_ERROR = 2002,
    CR_CONN_HOST_ERROR = 2003,
    CR_IPSOCK_ERROR = 2004,
    CR_UNKNOWN_HOST = 2005,
    CR_SERVER_GONE_ERROR = 2006,
    CR_VERSION_ERROR = 2007,
    CR_OUT_OF_MEMORY = 2008,
    CR_WRONG_HOST_INFO = 2009,
    CR_LOCALHOST_CONNECTION = 2010,
    CR_TCP_CONNECTION = 2011,
    CR_SERVER_HANDSHAKE_ERR = 2012,
    CR_SERVER_LOST = 2013,
    CR_COMMANDS_OUT_OF_SYNC = 2014,
    CR_NAMEDPIPE_CONNECTION = 2015,
    CR_NAMEDPIPEWAIT_ERROR = 2016,
    CR_NAMEDPIPEOPEN_ERROR = 2017,
    CR_NAMEDPIPESETSTATE_ERROR = 2018,
    CR_CANT_READ_CHARSET = 2019,
    CR_NET_PACKET_TOO_LARGE = 2020,
    // Inside the packet layer only: a packet too large to frame.
    ER_NET_PACKET_TOO_LARGE = 1153,
    CR_SECURE_AUTH = 2049,
    // Server: the command byte is not known.
    ER_UNKNOWN_COM_ERROR = 1047,
};

constexpr int kClientErrorFirst = 2000;
constexpr int kClientErrorLast = 2020;
// Longest error text kept; longer texts are cut.
constexpr size_t kMaxErrorText = 200;

// The raw table text (with its placeholders) for 2000..2020, else the text of 2000.
const char* ClientErrorFormat(int number);

// The table text with its placeholders filled: texts are taken in order for
// the "%s" kinds (cut to their width), numbers in decimal for "%d", "%u", "%lu".
std::string ClientErrorText(int number, const std::string& s1 = {}, const std::string& s2 = {},
                            long long n1 = 0, long long n2 = 0);
