// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the chat room in the end-to-end tests and the typing benchmark: reads what is typed into its
// terminal and writes each line, as sent by Enter, to a file, so a test can check exactly what arrived.
//
// The terminal is raw: Enter arrives as a carriage return and nothing is edited, echoed or translated. A carriage
// return ends a line; every other control byte is written visibly ("<0A>"), so that a Linefeed or Ctrl+J can never
// pass for Enter. UTF-8 bytes pass through as they are. The file appears only once the terminal is raw: its
// existence tells the harness that the room is ready for keys.

#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RECORD-FILE\n", argv[0]);
        return 2;
    }

    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios raw = saved;
        cfmakeraw(&raw);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) {
            std::perror("tcsetattr");
            return 1;
        }
    }

    std::FILE* record = std::fopen(argv[1], "wb");
    if (record == nullptr) {
        std::perror(argv[1]);
        return 1;
    }

    std::string line;
    std::array<unsigned char, 4096> buffer{};
    for (;;) {
        const ssize_t count = read(STDIN_FILENO, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        for (ssize_t i = 0; i < count; ++i) {
            const unsigned char byte = buffer[static_cast<std::size_t>(i)];
            if (byte == '\r') {
                line += '\n';
                std::fwrite(line.data(), 1, line.size(), record);
                std::fflush(record);
                // Shown in the terminal too, so a screenshot of the room reads like the chat.
                std::fwrite(line.data(), 1, line.size() - 1, stdout);
                std::fputs("\r\n", stdout);
                std::fflush(stdout);
                line.clear();
            } else if (byte < 0x20 || byte == 0x7f) {
                std::array<char, 8> visible{};
                std::snprintf(visible.data(), visible.size(), "<%02X>", byte);
                line += visible.data();
            } else {
                line += static_cast<char>(byte);
            }
        }
    }

    std::fclose(record);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    }
    return 0;
}
