// SPDX-License-Identifier: GPL-3.0-or-later
// A listener in the chat room for the end-to-end tests with real chat clients: joins a channel of a local IRC
// server and writes the text of every channel message it receives to a file, byte for byte, one message a line.
// It prints "JOIN <nick>" for everyone who joins after it, so a harness can wait until a client is in the room.
//
// Usage: quorvex_irc_logger PORT NICK CHANNEL RECORD-FILE

#include <QCoreApplication>
#include <QFile>
#include <QTcpSocket>

#include <cstdio>

namespace {

// The nick in a message's prefix (":nick!user@host"), or nothing for a message without one.
QByteArray senderOf(const QByteArray& prefix)
{
    const qsizetype bang = prefix.indexOf('!');
    return prefix.mid(1, bang < 0 ? -1 : bang - 1);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s PORT NICK CHANNEL RECORD-FILE\n", argv[0]);
        return 2;
    }
    const quint16 port = QByteArray(argv[1]).toUShort();
    const QByteArray nick = argv[2];
    const QByteArray channel = argv[3];
    QFile record(QFile::decodeName(argv[4]));
    if (!record.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "%s: cannot write\n", argv[4]);
        return 1;
    }

    QTcpSocket socket;
    QByteArray pending;
    auto send = [&socket](const QByteArray& line) { socket.write(line + "\r\n"); };

    QObject::connect(&socket, &QTcpSocket::connected, &socket, [&] {
        send("NICK " + nick);
        send("USER " + nick + " 0 * :Quiz listener");
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, &app, [] { QCoreApplication::exit(1); });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &app, [&socket] {
        std::fprintf(stderr, "quorvex_irc_logger: %s\n", qPrintable(socket.errorString()));
        QCoreApplication::exit(1);
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [&] {
        pending += socket.readAll();
        qsizetype end = 0;
        while ((end = pending.indexOf("\r\n")) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 2);

            // The text is the trailing parameter: everything after the first " :" past the prefix, unchanged.
            const qsizetype textStart = line.indexOf(" :", line.startsWith(':') ? 1 : 0);
            const QByteArray head = textStart < 0 ? line : line.left(textStart);
            const QByteArray text = textStart < 0 ? QByteArray() : line.mid(textStart + 2);
            const QList<QByteArray> words = head.split(' ');
            const bool prefixed = line.startsWith(':');
            const QByteArray command = words.value(prefixed ? 1 : 0);

            if (command == "PING") {
                send("PONG :" + text);
            } else if (command == "001") {
                send("JOIN " + channel);
            } else if (command == "JOIN" && prefixed) {
                std::printf("JOIN %s\n", senderOf(words.value(0)).constData());
                std::fflush(stdout);
            } else if (command == "PRIVMSG" && words.value(2) == channel) {
                // A text without blanks may come as a plain last parameter instead of a trailing one.
                const QByteArray body = textStart < 0 ? words.value(3) : text;
                record.write(body + '\n');
                record.flush();
            }
        }
    });

    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    return QCoreApplication::exec();
}
