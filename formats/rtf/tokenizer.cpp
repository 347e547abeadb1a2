#include "tokenizer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QIODevice>

#include <climits>

namespace {

const int BlockSize = 8192;
// No control word of RTF is this long; longer names are read to their end but
// kept only this far, so that they match nothing and cost no memory.
const int MaxWordLength = 64;
// A longer run of text is handed out in pieces of this size: the reader
// decodes each piece with a decoder that keeps its state, so nothing is lost,
// and a file without delimiters cannot grow one token without bound.
const int MaxTextLength = 1 << 20;

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// Bytes that end a run of text: they are tokens (or skipped) of their own.
bool endsText(char c)
{
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n';
}

int hexDigit(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

namespace RTF {

Tokenizer::Tokenizer()
    : device(nullptr)
    , position(0)
    , type(TextToken)
    , value(0)
    , hasValue(false)
{
    buffer.reserve(BlockSize);
    text.reserve(BlockSize);
}

void Tokenizer::setDevice(QIODevice *newDevice)
{
    // Bytes left from an earlier device must not be read as part of this one.
    device = newDevice;
    buffer.resize(0);
    position = 0;
}

bool Tokenizer::hasNext() const
{
    if (position < buffer.size() - 1)
        return true;
    return device && !device->atEnd();
}

void Tokenizer::refill()
{
    buffer.resize(BlockSize);
    const qint64 count = device ? device->read(buffer.data(), BlockSize) : -1;
    if (count <= 0) {
        buffer.resize(0);
        position = 0;
        throw QCoreApplication::translate("Tokenizer", "Unexpectedly reached end of file.");
    }
    buffer.resize(int(count));
    position = 0;
    // Keep the window painting during a long read, but the user must not edit
    // a document that is only half read.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

unsigned char Tokenizer::next()
{
    ++position;
    if (position >= buffer.size())
        refill();
    return static_cast<unsigned char>(buffer.at(position));
}

void Tokenizer::skipBytes(int count)
{
    while (count > 0) {
        const int available = buffer.size() - 1 - position;
        if (available <= 0) {
            next();
            --count;
            continue;
        }
        const int step = qMin(available, count);
        position += step;
        count -= step;
    }
}

void Tokenizer::readNext()
{
    // "\bin" skips its payload and then reads on, as often as it comes.
    for (;;) {
        type = TextToken;
        hex.resize(0);
        text.resize(0);
        value = 0;
        hasValue = false;
        if (!device)
            return;

        unsigned char c;
        do {
            c = next();
        } while (c == '\r' || c == '\n');

        if (c == '{') {
            type = StartGroupToken;
            return;
        }
        if (c == '}') {
            type = EndGroupToken;
            return;
        }
        if (c != '\\') {
            readText(c);
            return;
        }
        readControl();
        if (text != "bin")
            return;
        skipBytes(value);
    }
}

void Tokenizer::readControl()
{
    type = ControlWordToken;
    unsigned char c = next();
    if (c == '\'') {
        text = "'";
        const int high = hexDigit(next());
        const int low = hexDigit(next());
        const int byte = (high < 0 || low < 0) ? 0 : high * 16 + low;
        hex.append(char(byte));
        return;
    }
    if (!isLetter(c)) {
        text.append(char(c));
        return;
    }

    do {
        if (text.size() < MaxWordLength)
            text.append(char(c));
        c = next();
    } while (isLetter(c));

    int sign = 1;
    if (c == '-') {
        sign = -1;
        c = next();
    }
    // Digits beyond the int range make the parameter 0; they are still read.
    qint64 digits = 0;
    bool overflow = false;
    while (isDigit(c)) {
        hasValue = true;
        if (!overflow) {
            digits = digits * 10 + (c - '0');
            overflow = digits > INT_MAX;
        }
        c = next();
    }
    value = (hasValue && !overflow) ? sign * int(digits) : 0;
    if (c != ' ')
        --position;
}

void Tokenizer::readText(unsigned char first)
{
    type = TextToken;
    text.append(char(first));
    for (;;) {
        const char *data = buffer.constData();
        const int size = buffer.size();
        const int room = MaxTextLength - text.size();
        const int limit = size - position - 1 > room ? position + 1 + room : size;
        int end = position + 1;
        while (end < limit && !endsText(data[end]))
            ++end;
        text.append(data + position + 1, end - position - 1);
        position = end - 1;
        if (end < size)
            return; // the delimiter stays unread, or the piece is full
        if (text.size() >= MaxTextLength)
            return;
        const unsigned char c = next();
        if (endsText(char(c))) {
            --position;
            return;
        }
        text.append(char(c));
    }
}

} // namespace RTF
