#ifndef ZUVO_FORMATS_RTF_TOKENIZER_H
#define ZUVO_FORMATS_RTF_TOKENIZER_H

#include <QByteArray>

class QIODevice;

namespace RTF {

// Kinds of token, the values of Tokenizer::type.
enum TokenType {
    StartGroupToken = 0, // "{"
    EndGroupToken = 1, // "}"
    ControlWordToken = 2, // a backslash and what follows it
    TextToken = 3 // any other run of bytes
};

// Cuts an RTF byte stream into tokens. It reads the device in blocks of 8192
// bytes and lets the event loop run (without user input) between blocks. The
// end of input inside a token is thrown as a translated QString; the reader
// catches it. The payload of "\bin" is skipped here, since its raw bytes must
// never be read as tokens.
class Tokenizer
{
public:
    Tokenizer();

    // Starts reading from the device (not owned) with an empty buffer.
    void setDevice(QIODevice *device);
    bool hasNext() const;
    // Reads the next token into type, hex, text, value and hasValue.
    void readNext();

private:
    unsigned char next();
    void refill();
    void skipBytes(int count);
    void readControl();
    void readText(unsigned char first);

    QIODevice *device;
    QByteArray buffer;
    // Index in buffer of the byte returned last; one byte can be pushed back
    // by stepping it back, also to -1 right after a refill.
    int position;

public:
    // The current token, read directly by the reader after each readNext().
    int type;
    QByteArray hex; // the byte of a hexadecimal escape, else empty
    QByteArray text; // control word name, control symbol, "'" or the text run
    int value; // parameter of a control word, sign applied; 0 when absent
    bool hasValue; // the control word carried at least one digit
};

} // namespace RTF

#endif
