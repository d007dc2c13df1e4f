#pragma once

#include <QByteArray>
#include <QtGlobal>

// The WebSocket frames a page sends on the push connection (RFC 6455, 5.2). Pages only listen, so
// little comes: a close, a ping, perhaps a small message. Every frame from a client must be masked;
// one that is not, or that breaks the framing, ends the connection.
class ClientFrameReader
{
public:
    static constexpr qint64 MaxPayloadBytes = 1024;

    enum class Status
    {
        NeedMore,
        Frame,
        Unmasked,
        Invalid,
        TooLarge
    };

    struct Frame
    {
        quint8 opcode = 0;
        QByteArray payload; // unmasked
    };

    void append(const QByteArray& data) { m_buffer += data; }
    // The next complete frame, taken from what was appended; after any status but NeedMore and Frame
    // the connection is beyond saving.
    Status next(Frame* frame);

private:
    QByteArray m_buffer;
};
