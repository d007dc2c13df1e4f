#include "ClientFrameReader.h"

ClientFrameReader::Status ClientFrameReader::next(Frame* frame)
{
    const auto byte = [this](qsizetype i) { return quint8(m_buffer.at(i)); };
    if (m_buffer.size() < 2) {
        return Status::NeedMore;
    }
    const quint8 first = byte(0);
    const quint8 second = byte(1);
    if ((second & 0x80) == 0) {
        return Status::Unmasked;
    }
    const quint8 opcode = first & 0x0F;
    const bool control = (opcode & 0x08) != 0;
    const bool known = opcode <= 0x2 || (opcode >= 0x8 && opcode <= 0xA);
    if ((first & 0x70) != 0 || !known || (control && (first & 0x80) == 0)) {
        return Status::Invalid;
    }
    qsizetype header = 2;
    quint64 length = second & 0x7F;
    if (length == 126 || length == 127) {
        const int extra = length == 126 ? 2 : 8;
        if (m_buffer.size() < header + extra) {
            return Status::NeedMore;
        }
        length = 0;
        for (int i = 0; i < extra; ++i) {
            length = (length << 8) | byte(header + i);
        }
        header += extra;
    }
    if (control && length > 125) {
        return Status::Invalid;
    }
    if (length > quint64(MaxPayloadBytes)) {
        return Status::TooLarge;
    }
    const qsizetype total = header + 4 + qsizetype(length);
    if (m_buffer.size() < total) {
        return Status::NeedMore;
    }
    frame->opcode = opcode;
    frame->payload = m_buffer.mid(header + 4, qsizetype(length));
    for (qsizetype i = 0; i < frame->payload.size(); ++i) {
        frame->payload[i] = char(quint8(frame->payload[i]) ^ byte(header + i % 4));
    }
    m_buffer.remove(0, total);
    return Status::Frame;
}
