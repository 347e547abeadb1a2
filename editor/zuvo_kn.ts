<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="kn_IN">
<context>
    <name>AboutZuvo</name>
    <message>
        <source>Zuvo Software</source>
        <translation>Zuvo ತಂತ್ರಾಂಶ</translation>
    </message>
    <message>
        <source>Version 4.1</source>
        <translation>ಆವೃತ್ತಿ 4.1</translation>
    </message>
    <message>
        <source>Writing kit for Kannada and eight other Indian scripts</source>
        <translation>ಕನ್ನಡ ಮತ್ತು ಇತರ ಎಂಟು ಭಾರತೀಯ ಲಿಪಿಗಳಿಗಾಗಿ ಬರವಣಿಗೆಯ ಸಾಧನ</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Made by Tessavrim</source>
        <translation>ತಯಾರಕರು: Tessavrim</translation>
    </message>
</context>
<context>
    <name>AdvancedSettings</name>
    <message>
        <source>Dialog</source>
        <translation>ಸಂವಾದ</translation>
    </message>
</context>
<context>
    <name>Dictionary</name>
    <message>
        <source>Dict</source>
        <translation>ನಿಘಂಟು</translation>
    </message>
</context>
<context>
    <name>DocumentOpen</name>
    <message>
        <source>The file could not be read: %1</source>
        <translation>ಕಡತವನ್ನು ಓದಲಾಗಲಿಲ್ಲ: %1</translation>
    </message>
    <message>
        <source>It holds no Nudi text that could be read.</source>
        <translation>ಇದರಲ್ಲಿ ಓದಬಹುದಾದ Nudi ಪಠ್ಯವಿಲ್ಲ.</translation>
    </message>
</context>
<context>
    <name>EditUserDict</name>
    <message>
        <source>Edit User Dictionary</source>
        <translation>ಬಳಕೆದಾರ ನಿಘಂಟನ್ನು ಸಂಪಾದಿಸು</translation>
    </message>
    <message>
        <source>Choose File:</source>
        <translation>ಕಡತವನ್ನು ಆಯ್ಕೆಮಾಡಿ:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Edit words</source>
        <translation>ಪದಗಳನ್ನು ಸಂಪಾದಿಸು</translation>
    </message>
    <message>
        <source>Input words from selected file</source>
        <translation>ಆಯ್ದ ಕಡತದಲ್ಲಿರುವ ಪದಗಳು</translation>
    </message>
    <message>
        <source>Add New Word</source>
        <translation>ಹೊಸ ಪದವನ್ನು ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Delete Selected Words</source>
        <translation>ಆಯ್ದ ಪದಗಳನ್ನು ಅಳಿಸು</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>ತೆರವುಗೊಳಿಸು</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>ಎಲ್ಲವನ್ನೂ ಆಯ್ಕೆಮಾಡು</translation>
    </message>
    <message>
        <source>SelectAll</source>
        <translation>ಎಲ್ಲವನ್ನೂ ಆಯ್ಕೆಮಾಡು</translation>
    </message>
    <message>
        <source>Final User Dictionary</source>
        <translation>ಅಂತಿಮ ಬಳಕೆದಾರ ನಿಘಂಟು</translation>
    </message>
    <message>
        <source>Load User Dict</source>
        <translation>ಬಳಕೆದಾರ ನಿಘಂಟನ್ನು ತೆರೆ</translation>
    </message>
    <message>
        <source>DeselectAll</source>
        <translation>ಎಲ್ಲ ಆಯ್ಕೆಯನ್ನು ರದ್ದುಮಾಡು</translation>
    </message>
    <message>
        <source>Duplicate, Its already present!</source>
        <translation>ಪುನರಾವರ್ತನೆ: ಈ ಪದ ಈಗಾಗಲೇ ಇದೆ!</translation>
    </message>
    <message>
        <source>User Dictionary updated successfully!</source>
        <translation>ಬಳಕೆದಾರ ನಿಘಂಟನ್ನು ಯಶಸ್ವಿಯಾಗಿ ನವೀಕರಿಸಲಾಗಿದೆ!</translation>
    </message>
    <message>
        <source>Unable to save the user dictionary
Pleae inform the error to </source>
        <translation>ಬಳಕೆದಾರ ನಿಘಂಟನ್ನು ಉಳಿಸಲಾಗಲಿಲ್ಲ
ದಯವಿಟ್ಟು ಈ ದೋಷವನ್ನು ಇಲ್ಲಿಗೆ ತಿಳಿಸಿ: </translation>
    </message>
</context>
<context>
    <name>FindAndReplaceDialog</name>
    <message>
        <source>Find &amp; Replace</source>
        <translation>ಹುಡುಕು &amp; ಬದಲಾಯಿಸು</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>ಹುಡುಕು:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Replace With: </source>
        <translation>ಇದರಿಂದ ಬದಲಾಯಿಸು: </translation>
    </message>
    <message>
        <source>Whole words only</source>
        <translation>ಪೂರ್ಣ ಪದಗಳು ಮಾತ್ರ</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>ಬದಲಾಯಿಸು</translation>
    </message>
    <message>
        <source>Replace &amp;&amp; Find</source>
        <translation>ಬದಲಾಯಿಸು &amp;&amp; ಹುಡುಕು</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>ಎಲ್ಲವನ್ನೂ ಬದಲಾಯಿಸು</translation>
    </message>
    <message>
        <source>Zuvo - Find</source>
        <translation>Zuvo - ಹುಡುಕು</translation>
    </message>
    <message>
        <source>Zuvo - Find and Replace</source>
        <translation>Zuvo - ಹುಡುಕು ಮತ್ತು ಬದಲಾಯಿಸು</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>ಮುಗಿಯಿತು!</translation>
    </message>
    <message>
        <source>Replaced %1 occurrence(s)</source>
        <translation>%1 ಕಡೆ ಬದಲಾಯಿಸಲಾಗಿದೆ</translation>
    </message>
</context>
<context>
    <name>GetUnicodeText</name>
    <message>
        <source>Enter Text :</source>
        <translation>ಪಠ್ಯವನ್ನು ನಮೂದಿಸಿ :</translation>
    </message>
    <message>
        <source>Text :</source>
        <translation>ಪಠ್ಯ :</translation>
    </message>
</context>
<context>
    <name>HelpTopics</name>
    <message>
        <source>Help Topics</source>
        <translation>ಸಹಾಯ ವಿಷಯಗಳು</translation>
    </message>
    <message>
        <source>Fint Text : </source>
        <translation>ಹುಡುಕಬೇಕಾದ ಪಠ್ಯ : </translation>
    </message>
    <message>
        <source>Find</source>
        <translation>ಹುಡುಕು</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
</context>
<context>
    <name>InsertLinkDialog</name>
    <message>
        <source>Dialog</source>
        <translation>ಸಂವಾದ</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>ವಿಳಾಸ (URL):</translation>
    </message>
</context>
<context>
    <name>InsertTableDialog</name>
    <message>
        <source>Zuvo - Insert Table</source>
        <translation>Zuvo - ಕೋಷ್ಟಕವನ್ನು ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Number of rows :</source>
        <translation>ಸಾಲುಗಳ ಸಂಖ್ಯೆ :</translation>
    </message>
    <message>
        <source>Number of columns :</source>
        <translation>ಅಂಕಣಗಳ ಸಂಖ್ಯೆ :</translation>
    </message>
</context>
<context>
    <name>KeyboadMapping</name>
    <message>
        <source>Zuvo - Keyboard Layout</source>
        <translation>Zuvo - ಕೀಲಿಮಣೆ ವಿನ್ಯಾಸ</translation>
    </message>
    <message>
        <source>Phonetic</source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ</translation>
    </message>
    <message>
        <source>Nudi (KPRao)</source>
        <translation>ನುಡಿ (ಕೆ.ಪಿ.ರಾವ್)</translation>
    </message>
</context>
<context>
    <name>KeyboardExamples</name>
    <message>
        <source>Zuvo - Examples</source>
        <translation>Zuvo - ಉದಾಹರಣೆಗಳು</translation>
    </message>
    <message>
        <source>Phonetic</source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ</translation>
    </message>
    <message>
        <source>Nudi</source>
        <translation>ನುಡಿ</translation>
    </message>
    <message>
        <source>Phonetic-2</source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ-೨</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ಮುಚ್ಚು</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Zuvo</source>
        <translation>Zuvo</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;ಕಡತ</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>ಸಂಪಾ&amp;ದನೆ</translation>
    </message>
    <message>
        <source>Find/Replace</source>
        <translation>ಹುಡುಕು/ಬದಲಾಯಿಸು</translation>
    </message>
    <message>
        <source>Fo&amp;rmat</source>
        <translation>ಸ್ವರೂ&amp;ಪ</translation>
    </message>
    <message>
        <source>Bullets</source>
        <translation>ಬುಲೆಟ್‌ಗಳು</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>ಜೋಡಣೆ</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>ಭಾಷೆ&amp;ಗಳು</translation>
    </message>
    <message>
        <source>F11 To Toggle</source>
        <translation>ಬದಲಿಸಲು F11</translation>
    </message>
    <message>
        <source>Key&amp;board</source>
        <translation>ಕೀಲಿ&amp;ಮಣೆ</translation>
    </message>
    <message>
        <source>CTRL+K To Toggle</source>
        <translation>ಬದಲಿಸಲು CTRL+K</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;ಉಪಕರಣಗಳು</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Sort File</source>
        <translation>ಕಡತವನ್ನು ವಿಂಗಡಿಸು</translation>
    </message>
    <message>
        <source>En&amp;coding</source>
        <translation>&amp;ಎನ್‌ಕೋಡಿಂಗ್</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>ನೋ&amp;ಟ</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;ಸಹಾಯ</translation>
    </message>
    <message>
        <source>New</source>
        <translation>ಹೊಸ</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>ತೆರೆ...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>ಉಳಿಸು...</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>ಹೀಗೆ ಉಳಿಸು...</translation>
    </message>
    <message>
        <source>Close Tab</source>
        <translation>ಟ್ಯಾಬ್ ಮುಚ್ಚು</translation>
    </message>
    <message>
        <source>Close current Tab</source>
        <translation>ಪ್ರಸ್ತುತ ಟ್ಯಾಬ್ ಮುಚ್ಚು</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>ಇತ್ತೀಚಿನ ಕಡತಗಳು</translation>
    </message>
    <message>
        <source>Print Preview...</source>
        <translation>ಮುದ್ರಣದ ಮುನ್ನೋಟ...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>ಮುದ್ರಿಸು...</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Print Setup...</source>
        <translation>ಮುದ್ರಣದ ಸಿದ್ಧತೆ...</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>PDF ಆಗಿ ರಫ್ತುಮಾಡು</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>ನಿರ್ಗಮಿಸು</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>ರದ್ದುಮಾಡು</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>ಮರಳಿಮಾಡು</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>ಕತ್ತರಿಸು</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>ನಕಲಿಸು</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>ಅಂಟಿಸು</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>ತೆರವುಗೊಳಿಸು</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>ಎಲ್ಲವನ್ನೂ ಆಯ್ಕೆಮಾಡು</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>ಮುಂದಿನದನ್ನು ಹುಡುಕು</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>ಹಿಂದಿನದನ್ನು ಹುಡುಕು</translation>
    </message>
    <message>
        <source>Shift+F3</source>
        <translation>Shift+F3</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>ದಪ್ಪ</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>ಓರೆ</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>ಅಡಿಗೆರೆ</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
    </message>
    <message>
        <source>None</source>
        <translation>ಯಾವುದೂ ಇಲ್ಲ</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>ತುಂಬಿದ ವೃತ್ತ</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>ಖಾಲಿ ವೃತ್ತ</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>ಚೌಕ</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>ಸಂಖ್ಯೆಗಳು (1, 2, 3)</translation>
    </message>
    <message>
        <source>Alpha Lower</source>
        <translation>ಸಣ್ಣ ಅಕ್ಷರಗಳು (a, b, c)</translation>
    </message>
    <message>
        <source>Alpha Upper</source>
        <translation>ದೊಡ್ಡ ಅಕ್ಷರಗಳು (A, B, C)</translation>
    </message>
    <message>
        <source>Roman Lower</source>
        <translation>ಸಣ್ಣ ರೋಮನ್ (i, ii, iii)</translation>
    </message>
    <message>
        <source>Roman Upper</source>
        <translation>ದೊಡ್ಡ ರೋಮನ್ (I, II, III)</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>ಎರಡೂ ಬದಿಗೆ ಹೊಂದಿಸು</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>ಎಡಕ್ಕೆ</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>ಮಧ್ಯಕ್ಕೆ</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>ಬಲಕ್ಕೆ</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>ಪಠ್ಯದ ಬಣ್ಣ</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>ಹಿನ್ನೆಲೆಯ ಬಣ್ಣ</translation>
    </message>
    <message>
        <source>&amp;Kannada</source>
        <translation>&amp;ಕನ್ನಡ</translation>
    </message>
    <message>
        <source>Telugu</source>
        <translation>ತೆಲುಗು</translation>
    </message>
    <message>
        <source>Malayalam</source>
        <translation>ಮಲಯಾಳಂ</translation>
    </message>
    <message>
        <source>Oriya</source>
        <translation>ಒರಿಯಾ</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>ಹಿಂದಿ</translation>
    </message>
    <message>
        <source>Gujarati</source>
        <translation>ಗುಜರಾತಿ</translation>
    </message>
    <message>
        <source>Bengali</source>
        <translation>ಬಂಗಾಳಿ</translation>
    </message>
    <message>
        <source>Gurmukhi</source>
        <translation>ಗುರುಮುಖಿ</translation>
    </message>
    <message>
        <source>Tamil</source>
        <translation>ತಮಿಳು</translation>
    </message>
    <message>
        <source>English       F11</source>
        <translation>ಇಂಗ್ಲಿಷ್       F11</translation>
    </message>
    <message>
        <source>English </source>
        <translation>ಇಂಗ್ಲಿಷ್ </translation>
    </message>
    <message>
        <source>Phonetic</source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ</translation>
    </message>
    <message>
        <source>Nudi (KP.Rao)                CTRL+K</source>
        <translation>ನುಡಿ (ಕೆ.ಪಿ.ರಾವ್)                CTRL+K</translation>
    </message>
    <message>
        <source>KP.Rao </source>
        <translation>ಕೆ.ಪಿ.ರಾವ್ </translation>
    </message>
    <message>
        <source>Phonetic-2</source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ-೨</translation>
    </message>
    <message>
        <source>Transliteration</source>
        <translation>ಲಿಪ್ಯಂತರಣ</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>ಚಿತ್ರ</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>ಕೋಷ್ಟಕ</translation>
    </message>
    <message>
        <source>Script Converter...</source>
        <translation>ಲಿಪಿ ಪರಿವರ್ತಕ...</translation>
    </message>
    <message>
        <source>Script Convert</source>
        <translation>ಲಿಪಿ ಪರಿವರ್ತನೆ</translation>
    </message>
    <message>
        <source>Alphabetical Order</source>
        <translation>ಅಕಾರಾದಿ ಕ್ರಮ</translation>
    </message>
    <message>
        <source>Reverse Alphabetical Order</source>
        <translation>ಹಿಮ್ಮುಖ ಅಕಾರಾದಿ ಕ್ರಮ</translation>
    </message>
    <message>
        <source>Spell Check As You Type</source>
        <translation>ಬರೆಯುತ್ತಿರುವಾಗಲೇ ಕಾಗುಣಿತ ಪರಿಶೀಲನೆ</translation>
    </message>
    <message>
        <source>Spell Check Dialog...</source>
        <translation>ಕಾಗುಣಿತ ಪರಿಶೀಲನೆ...</translation>
    </message>
    <message>
        <source>Edit User Dictionary</source>
        <translation>ಬಳಕೆದಾರ ನಿಘಂಟನ್ನು ಸಂಪಾದಿಸು</translation>
    </message>
    <message>
        <source>ANSI</source>
        <translation>ANSI</translation>
    </message>
    <message>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <source>UTF-16</source>
        <translation>UTF-16</translation>
    </message>
    <message>
        <source>UTF-16BE</source>
        <translation>UTF-16BE</translation>
    </message>
    <message>
        <source>UTF-32</source>
        <translation>UTF-32</translation>
    </message>
    <message>
        <source>UTF-32BE</source>
        <translation>UTF-32BE</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>ಉಪಕರಣಪಟ್ಟಿ</translation>
    </message>
    <message>
        <source>Tabbar</source>
        <translation>ಟ್ಯಾಬ್‌ಪಟ್ಟಿ</translation>
    </message>
    <message>
        <source>Statusbar</source>
        <translation>ಸ್ಥಿತಿಪಟ್ಟಿ</translation>
    </message>
    <message>
        <source>Side Pane</source>
        <translation>ಪಕ್ಕದ ಫಲಕ</translation>
    </message>
    <message>
        <source>ZaviDodaz</source>
        <translation>ZaviDodaz</translation>
    </message>
    <message>
        <source>Wiktionary Meaning (Online)...</source>
        <translation>ವಿಕ್ಷನರಿ ಅರ್ಥ (ಆನ್‌ಲೈನ್)...</translation>
    </message>
    <message>
        <source>Search Window</source>
        <translation>ಹುಡುಕಾಟದ ಕಿಟಕಿ</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>ಹಿಗ್ಗಿಸು</translation>
    </message>
    <message>
        <source>ZoomIn</source>
        <translation>ಹಿಗ್ಗಿಸು</translation>
    </message>
    <message>
        <source>Ctrl+PgUp</source>
        <translation>Ctrl+PgUp</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>ಕುಗ್ಗಿಸು</translation>
    </message>
    <message>
        <source>ZoomOut</source>
        <translation>ಕುಗ್ಗಿಸು</translation>
    </message>
    <message>
        <source>Ctrl+PgDown</source>
        <translation>Ctrl+PgDown</translation>
    </message>
    <message>
        <source>Localize - Kannada</source>
        <translation>ಸ್ಥಳೀಕರಣ - ಕನ್ನಡ</translation>
    </message>
    <message>
        <source>Keyboard Tutor</source>
        <translation>ಕೀಲಿಮಣೆ ಬೋಧಕ</translation>
    </message>
    <message>
        <source>About Zuvo</source>
        <translation>Zuvo ಕುರಿತು</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>ಸಹಾಯ ವಿಷಯಗಳು</translation>
    </message>
    <message>
        <source>Keyboard Layout</source>
        <translation>ಕೀಲಿಮಣೆ ವಿನ್ಯಾಸ</translation>
    </message>
    <message>
        <source>Keyboard Examples</source>
        <translation>ಕೀಲಿಮಣೆ ಉದಾಹರಣೆಗಳು</translation>
    </message>
    <message>
        <source>Check for Updates...</source>
        <translation>ನವೀಕರಣಗಳಿಗಾಗಿ ಪರಿಶೀಲಿಸು...</translation>
    </message>
    <message>
        <source>Check For Updates</source>
        <translation>ನವೀಕರಣಗಳಿಗಾಗಿ ಪರಿಶೀಲಿಸು</translation>
    </message>
    <message>
        <source>Send Feedback...</source>
        <translation>ಅಭಿಪ್ರಾಯ ಕಳುಹಿಸು...</translation>
    </message>
    <message>
        <source>Find &amp;&amp; Replace</source>
        <translation>ಹುಡುಕು &amp;&amp; ಬದಲಾಯಿಸು</translation>
    </message>
    <message>
        <source>Bullet</source>
        <translation>ಬುಲೆಟ್</translation>
    </message>
    <message>
        <source> Keyboard Layout</source>
        <translation> ಕೀಲಿಮಣೆ ವಿನ್ಯಾಸ</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>English</source>
        <translation>ಇಂಗ್ಲಿಷ್</translation>
    </message>
    <message>
        <source>Ctrl+G</source>
        <translation>Ctrl+G</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>ಸಿದ್ಧತೆಗಳು</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>ಕೊಂಡಿ</translation>
    </message>
    <message>
        <source>Only the first %1 of the %2 dropped files were opened.</source>
        <translation>ಎಳೆದು ಬಿಟ್ಟ %2 ಕಡತಗಳಲ್ಲಿ ಮೊದಲ %1 ಕಡತಗಳನ್ನು ಮಾತ್ರ ತೆರೆಯಲಾಗಿದೆ.</translation>
    </message>
</context>
<context>
    <name>MiniBrowser</name>
    <message>
        <source>Ouch sorry, can&apos;t handle this kind of file in Zuvo</source>
        <translation>ಕ್ಷಮಿಸಿ, ಈ ಬಗೆಯ ಕಡತವನ್ನು Zuvo ನಿರ್ವಹಿಸಲಾರದು</translation>
    </message>
</context>
<context>
    <name>OOReader</name>
    <message>
        <source>The document is too large to open.</source>
        <translation>ದಸ್ತಾವೇಜು ತೆರೆಯಲು ತುಂಬಾ ದೊಡ್ಡದಾಗಿದೆ.</translation>
    </message>
    <message>
        <source>The file is not an OpenDocument text: it has no content.</source>
        <translation>ಈ ಕಡತ OpenDocument ಪಠ್ಯವಲ್ಲ: ಇದರಲ್ಲಿ ಯಾವುದೇ ವಿಷಯವಿಲ್ಲ.</translation>
    </message>
    <message>
        <source>The document is damaged: only the text before the damage could be read.</source>
        <translation>ದಸ್ತಾವೇಜು ಹಾಳಾಗಿದೆ: ಹಾಳಾದ ಭಾಗದ ಹಿಂದಿನ ಪಠ್ಯವನ್ನು ಮಾತ್ರ ಓದಲು ಸಾಧ್ಯವಾಯಿತು.</translation>
    </message>
</context>
<context>
    <name>OpenPdfDialog</name>
    <message>
        <source>Zuvo - Export to Pdf</source>
        <translation>Zuvo - PDF ಆಗಿ ರಫ್ತುಮಾಡು</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>ತೆರೆ</translation>
    </message>
    <message>
        <source>Open Containing folder</source>
        <translation>ಇರುವ ಕಡತಕೋಶವನ್ನು ತೆರೆ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ಮುಚ್ಚು</translation>
    </message>
</context>
<context>
    <name>PrinterSettingsDialog</name>
    <message>
        <source>Zuvo - Export to Pdf</source>
        <translation>Zuvo - PDF ಆಗಿ ರಫ್ತುಮಾಡು</translation>
    </message>
    <message>
        <source>Filename :</source>
        <translation>ಕಡತದ ಹೆಸರು :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>ಪುಟದ ದಿಕ್ಕು</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>ಲಂಬ</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>ಅಡ್ಡ</translation>
    </message>
    <message>
        <source>Margins:</source>
        <translation>ಅಂಚುಗಳು:</translation>
    </message>
    <message>
        <source>Paper Size :</source>
        <translation>ಕಾಗದದ ಗಾತ್ರ :</translation>
    </message>
    <message>
        <source>A0</source>
        <translation>A0</translation>
    </message>
    <message>
        <source>A1</source>
        <translation>A1</translation>
    </message>
    <message>
        <source>A2</source>
        <translation>A2</translation>
    </message>
    <message>
        <source>A3</source>
        <translation>A3</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A5</source>
        <translation>A5</translation>
    </message>
    <message>
        <source>A6</source>
        <translation>A6</translation>
    </message>
    <message>
        <source>A7</source>
        <translation>A7</translation>
    </message>
    <message>
        <source>A8</source>
        <translation>A8</translation>
    </message>
    <message>
        <source>A9</source>
        <translation>A9</translation>
    </message>
    <message>
        <source>B0</source>
        <translation>B0</translation>
    </message>
    <message>
        <source>B1</source>
        <translation>B1</translation>
    </message>
    <message>
        <source>B2</source>
        <translation>B2</translation>
    </message>
    <message>
        <source>B3</source>
        <translation>B3</translation>
    </message>
    <message>
        <source>B4</source>
        <translation>B4</translation>
    </message>
    <message>
        <source>B5</source>
        <translation>B5</translation>
    </message>
    <message>
        <source>B6</source>
        <translation>B6</translation>
    </message>
    <message>
        <source>B7</source>
        <translation>B7</translation>
    </message>
    <message>
        <source>B8</source>
        <translation>B8</translation>
    </message>
    <message>
        <source>B9</source>
        <translation>B9</translation>
    </message>
    <message>
        <source>B10</source>
        <translation>B10</translation>
    </message>
    <message>
        <source>C5E</source>
        <translation>C5E</translation>
    </message>
    <message>
        <source>Comm10E</source>
        <translation>Comm10E</translation>
    </message>
    <message>
        <source>DLE</source>
        <translation>DLE</translation>
    </message>
    <message>
        <source>Executive</source>
        <translation>ಎಕ್ಸಿಕ್ಯುಟಿವ್</translation>
    </message>
    <message>
        <source>Folio</source>
        <translation>ಫೋಲಿಯೊ</translation>
    </message>
    <message>
        <source>Ledger</source>
        <translation>ಲೆಡ್ಜರ್</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>ಲೀಗಲ್</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>ಲೆಟರ್</translation>
    </message>
    <message>
        <source>Tabloid</source>
        <translation>ಟ್ಯಾಬ್ಲಾಯ್ಡ್</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>ಕಡತವನ್ನು ಉಳಿಸು</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF ಕಡತಗಳು (*.pdf)</translation>
    </message>
    <message>
        <source>You must enter the name for the new file</source>
        <translation>ಹೊಸ ಕಡತದ ಹೆಸರನ್ನು ನಮೂದಿಸಲೇಬೇಕು</translation>
    </message>
</context>
<context>
    <name>Printing</name>
    <message>
        <source>Laying out the pages…</source>
        <translation>ಪುಟಗಳನ್ನು ಜೋಡಿಸಲಾಗುತ್ತಿದೆ…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ರದ್ದುಮಾಡು</translation>
    </message>
    <message>
        <source>Writing page %1…</source>
        <translation>ಪುಟ %1 ಅನ್ನು ಬರೆಯಲಾಗುತ್ತಿದೆ…</translation>
    </message>
</context>
<context>
    <name>Reader</name>
    <message>
        <source>Not a supported RTF file.</source>
        <translation>ಇದು ಬೆಂಬಲಿತ RTF ಕಡತವಲ್ಲ.</translation>
    </message>
</context>
<context>
    <name>ScriptConvertDialog</name>
    <message>
        <source>Zuvo - Script Converter</source>
        <translation>Zuvo - ಲಿಪಿ ಪರಿವರ್ತಕ</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>ಮೂಲ:</translation>
    </message>
    <message>
        <source>Kannada</source>
        <translation>ಕನ್ನಡ</translation>
    </message>
    <message>
        <source>Telugu</source>
        <translation>ತೆಲುಗು</translation>
    </message>
    <message>
        <source>Malayalam</source>
        <translation>ಮಲಯಾಳಂ</translation>
    </message>
    <message>
        <source>Oriya</source>
        <translation>ಒರಿಯಾ</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>ಹಿಂದಿ</translation>
    </message>
    <message>
        <source>Gujarathi</source>
        <translation>ಗುಜರಾತಿ</translation>
    </message>
    <message>
        <source>Bengali</source>
        <translation>ಬಂಗಾಳಿ</translation>
    </message>
    <message>
        <source>Gurmukhi</source>
        <translation>ಗುರುಮುಖಿ</translation>
    </message>
    <message>
        <source>Tamil</source>
        <translation>ತಮಿಳು</translation>
    </message>
    <message>
        <source>English</source>
        <translation>ಇಂಗ್ಲಿಷ್</translation>
    </message>
    <message>
        <source>Destination :</source>
        <translation>ಗುರಿ :</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ಸಹಾಯ</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;p { margin-top: 12px; margin-bottom: 12px; }&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot;font-size:9pt;&quot;&gt;&lt;p&gt;Script-converter is a zuvo-tool, which you can use to convert script(text) from one Indian language to another. &lt;/p&gt;&lt;p&gt;Below is a list of notes about the same. Please read.&lt;/p&gt;&lt;p&gt;1) Script-Converter considers the current tab as the source of input text.&lt;/p&gt;&lt;p&gt;2) The output Unicode text is displayed in a &lt;span style=&quot;font-weight:700;&quot;&gt;new tab&lt;/span&gt;. You can save it to new file for later use.&lt;/p&gt;&lt;p&gt;3) Select the to language to which you want to convert the script (&quot;Destination language&quot; combobox).&lt;/p&gt;&lt;p&gt;If you have any confusions or questions, don&apos;t hesitate to ask. &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;p { margin-top: 12px; margin-bottom: 12px; }&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot;font-size:9pt;&quot;&gt;&lt;p&gt;ಲಿಪಿ ಪರಿವರ್ತಕವು zuvo ಉಪಕರಣಗಳಲ್ಲಿ ಒಂದು. ಇದರಿಂದ ಒಂದು ಭಾರತೀಯ ಭಾಷೆಯ ಲಿಪಿಯಲ್ಲಿರುವ ಪಠ್ಯವನ್ನು ಇನ್ನೊಂದು ಭಾಷೆಯ ಲಿಪಿಗೆ ಪರಿವರ್ತಿಸಬಹುದು. &lt;/p&gt;&lt;p&gt;ಇದರ ಬಗ್ಗೆ ಕೆಲವು ಟಿಪ್ಪಣಿಗಳು ಕೆಳಗಿವೆ. ದಯವಿಟ್ಟು ಓದಿ.&lt;/p&gt;&lt;p&gt;1) ಲಿಪಿ ಪರಿವರ್ತಕವು ಪ್ರಸ್ತುತ ಟ್ಯಾಬ್‌ನ ಪಠ್ಯವನ್ನು ಮೂಲವಾಗಿ ತೆಗೆದುಕೊಳ್ಳುತ್ತದೆ.&lt;/p&gt;&lt;p&gt;2) ಪರಿವರ್ತಿತ ಯುನಿಕೋಡ್ ಪಠ್ಯವು &lt;span style=&quot;font-weight:700;&quot;&gt;ಹೊಸ ಟ್ಯಾಬ್‌&lt;/span&gt;ನಲ್ಲಿ ಕಾಣುತ್ತದೆ. ಮುಂದಿನ ಬಳಕೆಗಾಗಿ ಅದನ್ನು ಹೊಸ ಕಡತದಲ್ಲಿ ಉಳಿಸಬಹುದು.&lt;/p&gt;&lt;p&gt;3) ಯಾವ ಭಾಷೆಯ ಲಿಪಿಗೆ ಪರಿವರ್ತಿಸಬೇಕೋ ಆ ಭಾಷೆಯನ್ನು (&quot;ಗುರಿ&quot; ಪಟ್ಟಿಯಲ್ಲಿ) ಆಯ್ಕೆಮಾಡಿ.&lt;/p&gt;&lt;p&gt;ಏನಾದರೂ ಗೊಂದಲ ಅಥವಾ ಪ್ರಶ್ನೆಗಳಿದ್ದರೆ ಹಿಂಜರಿಯದೆ ಕೇಳಿ. &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
<context>
    <name>SearchWidget</name>
    <message>
        <source>Zuvo - Wiktionary (Online)...</source>
        <translation>Zuvo - ವಿಕ್ಷನರಿ (ಆನ್‌ಲೈನ್)...</translation>
    </message>
    <message>
        <source>Zuvo - Wiktionary (Online)...)</source>
        <translation>Zuvo - ವಿಕ್ಷನರಿ (ಆನ್‌ಲೈನ್)...</translation>
    </message>
    <message>
        <source>Links are not followed in this window. Type the word to look it up.</source>
        <translation>ಈ ಕಿಟಕಿಯಲ್ಲಿ ಕೊಂಡಿಗಳು ತೆರೆಯುವುದಿಲ್ಲ. ಅರ್ಥ ನೋಡಲು ಪದವನ್ನು ಟೈಪ್ ಮಾಡಿ.</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Zuvo - Settings</source>
        <translation>Zuvo - ಸಿದ್ಧತೆಗಳು</translation>
    </message>
    <message>
        <source>Choose your default settings</source>
        <translation>ನಿಮ್ಮ ಪೂರ್ವನಿಯೋಜಿತ ಸಿದ್ಧತೆಗಳನ್ನು ಆಯ್ಕೆಮಾಡಿ</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>ಭಾಷೆ</translation>
    </message>
    <message>
        <source>Kannada</source>
        <translation>ಕನ್ನಡ</translation>
    </message>
    <message>
        <source>Telugu</source>
        <translation>ತೆಲುಗು</translation>
    </message>
    <message>
        <source>Malayalam</source>
        <translation>ಮಲಯಾಳಂ</translation>
    </message>
    <message>
        <source>Oriya</source>
        <translation>ಒರಿಯಾ</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>ಹಿಂದಿ</translation>
    </message>
    <message>
        <source>Gujarati</source>
        <translation>ಗುಜರಾತಿ</translation>
    </message>
    <message>
        <source>Bengali</source>
        <translation>ಬಂಗಾಳಿ</translation>
    </message>
    <message>
        <source>Gurumukhi</source>
        <translation>ಗುರುಮುಖಿ</translation>
    </message>
    <message>
        <source>English</source>
        <translation>ಇಂಗ್ಲಿಷ್</translation>
    </message>
    <message>
        <source>keyborad layout </source>
        <translation>ಕೀಲಿಮಣೆ ವಿನ್ಯಾಸ </translation>
    </message>
    <message>
        <source>K.P.Rao -  GoK</source>
        <translation>ಕೆ.ಪಿ.ರಾವ್ -  ಕರ್ನಾಟಕ ಸರ್ಕಾರ</translation>
    </message>
    <message>
        <source>Phonetic </source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ </translation>
    </message>
    <message>
        <source>Transliteration type:</source>
        <translation>ಲಿಪ್ಯಂತರಣದ ಬಗೆ:</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>ಸಕ್ರಿಯ</translation>
    </message>
    <message>
        <source>Passive</source>
        <translation>ನಿಷ್ಕ್ರಿಯ</translation>
    </message>
</context>
<context>
    <name>SpellCheckDialog</name>
    <message>
        <source>Spell Check...</source>
        <translation>ಕಾಗುಣಿತ ಪರಿಶೀಲನೆ...</translation>
    </message>
    <message>
        <source>Misspelled :</source>
        <translation>ತಪ್ಪು ಕಾಗುಣಿತ :</translation>
    </message>
    <message>
        <source>Change to :</source>
        <translation>ಇದಕ್ಕೆ ಬದಲಿಸು :</translation>
    </message>
    <message>
        <source>Suggestions :</source>
        <translation>ಸಲಹೆಗಳು :</translation>
    </message>
    <message>
        <source>Ignore Once</source>
        <translation>ಒಮ್ಮೆ ಕಡೆಗಣಿಸು</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>ಎಲ್ಲವನ್ನೂ ಕಡೆಗಣಿಸು</translation>
    </message>
    <message>
        <source>Add To Dictionary</source>
        <translation>ನಿಘಂಟಿಗೆ ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>ಬದಲಿಸು</translation>
    </message>
    <message>
        <source>Change All</source>
        <translation>ಎಲ್ಲವನ್ನೂ ಬದಲಿಸು</translation>
    </message>
    <message>
        <source>Not Available</source>
        <translation>ಲಭ್ಯವಿಲ್ಲ</translation>
    </message>
    <message>
        <source>AutoText</source>
        <translation>ಸ್ವಯಂ ಪಠ್ಯ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ಮುಚ್ಚು</translation>
    </message>
    <message>
        <source>Failed to add the word &quot;%1&quot;: the user word file &quot;%2&quot; cannot be written.</source>
        <translation>&quot;%1&quot; ಪದವನ್ನು ಸೇರಿಸಲಾಗಲಿಲ್ಲ: ಬಳಕೆದಾರರ ಪದ ಕಡತ &quot;%2&quot; ಅನ್ನು ಬರೆಯಲಾಗುವುದಿಲ್ಲ.</translation>
    </message>
</context>
<context>
    <name>TabWidget</name>
    <message>
        <source>Close Current Tab</source>
        <translation>ಪ್ರಸ್ತುತ ಟ್ಯಾಬ್ ಮುಚ್ಚು</translation>
    </message>
    <message>
        <source>Couldn&apos;t open the file %1</source>
        <translation>%1 ಕಡತವನ್ನು ತೆರೆಯಲಾಗಲಿಲ್ಲ</translation>
    </message>
    <message>
        <source>Document %1 is modified, Do you want to save?</source>
        <translation>%1 ದಸ್ತಾವೇಜು ಬದಲಾಗಿದೆ, ಉಳಿಸಬೇಕೆ?</translation>
    </message>
    <message>
        <source>Oops unknown exception!</source>
        <translation>ಅಯ್ಯೋ, ಅನಿರೀಕ್ಷಿತ ದೋಷ!</translation>
    </message>
    <message>
        <source>Would you like to inform this error to author.

Your feedback is very valuable to improve the software!
</source>
        <translation>ಈ ದೋಷದ ಬಗ್ಗೆ ಲೇಖಕರಿಗೆ ತಿಳಿಸುವಿರಾ?

ತಂತ್ರಾಂಶವನ್ನು ಉತ್ತಮಪಡಿಸಲು ನಿಮ್ಮ ಅಭಿಪ್ರಾಯ ಬಹಳ ಅಮೂಲ್ಯ!
</translation>
    </message>
    <message>
        <source> Font Size: </source>
        <translation> ಅಕ್ಷರದ ಗಾತ್ರ: </translation>
    </message>
    <message>
        <source> Font: </source>
        <translation> ಅಕ್ಷರಶೈಲಿ: </translation>
    </message>
    <message>
        <source> Auto complete after </source>
        <translation> ಸ್ವಯಂಪೂರ್ಣ: </translation>
    </message>
    <message>
        <source> keys</source>
        <translation> ಕೀಲಿಗಳ ನಂತರ</translation>
    </message>
    <message>
        <source>Auto complete prefix length</source>
        <translation>ಸ್ವಯಂಪೂರ್ಣ ಆರಂಭವಾಗಲು ಬೇಕಾದ ಅಕ್ಷರಗಳ ಸಂಖ್ಯೆ</translation>
    </message>
    <message>
        <source>Telugu</source>
        <translation>ತೆಲುಗು</translation>
    </message>
    <message>
        <source>Malayalam</source>
        <translation>ಮಲಯಾಳಂ</translation>
    </message>
    <message>
        <source>Oriya</source>
        <translation>ಒರಿಯಾ</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>ಹಿಂದಿ</translation>
    </message>
    <message>
        <source>Gujarathi</source>
        <translation>ಗುಜರಾತಿ</translation>
    </message>
    <message>
        <source>Bengali</source>
        <translation>ಬಂಗಾಳಿ</translation>
    </message>
    <message>
        <source>Gurmukhi</source>
        <translation>ಗುರುಮುಖಿ</translation>
    </message>
    <message>
        <source>Tamil</source>
        <translation>ತಮಿಳು</translation>
    </message>
    <message>
        <source>English</source>
        <translation>ಇಂಗ್ಲಿಷ್</translation>
    </message>
    <message>
        <source>Kannada</source>
        <translation>ಕನ್ನಡ</translation>
    </message>
    <message>
        <source>Language &amp; Keyboard Layout : &lt;b&gt;</source>
        <translation>ಭಾಷೆ &amp; ಕೀಲಿಮಣೆ ವಿನ್ಯಾಸ : &lt;b&gt;</translation>
    </message>
    <message>
        <source>Nudi</source>
        <translation>ನುಡಿ</translation>
    </message>
    <message>
        <source>Phonetic-2</source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ-೨</translation>
    </message>
    <message>
        <source>Transliteration</source>
        <translation>ಲಿಪ್ಯಂತರಣ</translation>
    </message>
    <message>
        <source>Phonetic</source>
        <translation>ಧ್ವನ್ಯಾತ್ಮಕ</translation>
    </message>
    <message>
        <source>Input text is empty!</source>
        <translation>ಮೂಲ ಪಠ್ಯ ಖಾಲಿಯಾಗಿದೆ!</translation>
    </message>
    <message>
        <source>Done. Check the output in &lt;b&gt;%1&lt;/b&gt; tab!</source>
        <translation>ಮುಗಿಯಿತು. ಫಲಿತಾಂಶವನ್ನು &lt;b&gt;%1&lt;/b&gt; ಟ್ಯಾಬ್‌ನಲ್ಲಿ ನೋಡಿ!</translation>
    </message>
    <message>
        <source>Sort Descending...</source>
        <translation>ಇಳಿಕೆ ಕ್ರಮದಲ್ಲಿ ವಿಂಗಡಿಸು...</translation>
    </message>
    <message>
        <source>Sort File...</source>
        <translation>ಕಡತವನ್ನು ವಿಂಗಡಿಸು...</translation>
    </message>
    <message>
        <source>Are you sure you want to continue sorting...?</source>
        <translation>ವಿಂಗಡಣೆಯನ್ನು ಮುಂದುವರಿಸಬೇಕೆ...?</translation>
    </message>
    <message>
        <source>Zuvo- Sort Descending...</source>
        <translation>Zuvo- ಇಳಿಕೆ ಕ್ರಮದಲ್ಲಿ ವಿಂಗಡಣೆ...</translation>
    </message>
    <message>
        <source>Zuvo- Sort Ascending...</source>
        <translation>Zuvo- ಏರಿಕೆ ಕ್ರಮದಲ್ಲಿ ವಿಂಗಡಣೆ...</translation>
    </message>
    <message>
        <source>Done! Check the output now!</source>
        <translation>ಮುಗಿಯಿತು! ಈಗ ಫಲಿತಾಂಶವನ್ನು ನೋಡಿ!</translation>
    </message>
    <message>
        <source>untitled-%1</source>
        <translation>ಹೆಸರಿಲ್ಲದ-%1</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text: it was read as ISO 8859-1 and is saved so</source>
        <translation>%1 UTF-8 ಪಠ್ಯವಲ್ಲ: ಇದನ್ನು ISO 8859-1 ಆಗಿ ಓದಲಾಗಿದೆ ಮತ್ತು ಹಾಗೆಯೇ ಉಳಿಸಲಾಗುತ್ತದೆ</translation>
    </message>
    <message>
        <source>Couldn&apos;t write the PDF file %1</source>
        <translation>PDF ಕಡತ %1 ಅನ್ನು ಬರೆಯಲಾಗಲಿಲ್ಲ</translation>
    </message>
    <message>
        <source>Couldn&apos;t print the document</source>
        <translation>ದಸ್ತಾವೇಜನ್ನು ಮುದ್ರಿಸಲಾಗಲಿಲ್ಲ</translation>
    </message>
    <message>
        <source>%1 is still being opened.

Save under another name, or wait until it is shown.</source>
        <translation>%1 ಇನ್ನೂ ತೆರೆಯಲಾಗುತ್ತಿದೆ.

ಬೇರೆ ಹೆಸರಿನಲ್ಲಿ ಉಳಿಸಿ, ಅಥವಾ ಅದು ತೋರಿಸುವವರೆಗೆ ಕಾಯಿರಿ.</translation>
    </message>
    <message>
        <source>%1 is open in another tab.

Save under another name, or close that tab first.</source>
        <translation>%1 ಇನ್ನೊಂದು ಟ್ಯಾಬಿನಲ್ಲಿ ತೆರೆದಿದೆ.

ಬೇರೆ ಹೆಸರಿನಲ್ಲಿ ಉಳಿಸಿ, ಅಥವಾ ಮೊದಲು ಆ ಟ್ಯಾಬ್ ಮುಚ್ಚಿ.</translation>
    </message>
    <message>
        <source>%1 was converted into Unicode text: saving it asks for a new name, and the file stays as it is</source>
        <translation>%1 ಅನ್ನು Unicode ಪಠ್ಯಕ್ಕೆ ಪರಿವರ್ತಿಸಲಾಗಿದೆ: ಉಳಿಸುವಾಗ ಹೊಸ ಹೆಸರನ್ನು ಕೇಳಲಾಗುತ್ತದೆ, ಮೂಲ ಕಡತ ಹಾಗೆಯೇ ಉಳಿಯುತ್ತದೆ</translation>
    </message>
    <message>
        <source>The file is no longer there.</source>
        <translation>ಕಡತ ಈಗ ಅಲ್ಲಿ ಇಲ್ಲ.</translation>
    </message>
    <message>
        <source>Couldn&apos;t open the file %1

%2</source>
        <translation>%1 ಕಡತವನ್ನು ತೆರೆಯಲಾಗಲಿಲ್ಲ

%2</translation>
    </message>
    <message>
        <source>Couldn&apos;t read all of the file %1

%2

The text that was read is shown as a new document: saving it asks for a name, and the file stays as it is.</source>
        <translation>%1 ಕಡತವನ್ನು ಪೂರ್ತಿಯಾಗಿ ಓದಲಾಗಲಿಲ್ಲ

%2

ಓದಿದ ಪಠ್ಯವನ್ನು ಹೊಸ ದಸ್ತಾವೇಜಾಗಿ ತೋರಿಸಲಾಗಿದೆ: ಉಳಿಸುವಾಗ ಹೆಸರನ್ನು ಕೇಳಲಾಗುತ್ತದೆ, ಮೂಲ ಕಡತ ಹಾಗೆಯೇ ಉಳಿಯುತ್ತದೆ.</translation>
    </message>
</context>
<context>
    <name>Tokenizer</name>
    <message>
        <source>Unexpectedly reached end of file.</source>
        <translation>ಕಡತ ಅನಿರೀಕ್ಷಿತವಾಗಿ ಕೊನೆಗೊಂಡಿತು.</translation>
    </message>
</context>
<context>
    <name>UnicodeKaEditor</name>
    <message>
        <source>Images (*.png *.xpm *.jpg);;All (*.*)</source>
        <translation>ಚಿತ್ರಗಳು (*.png *.xpm *.jpg);;ಎಲ್ಲವೂ (*.*)</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>ಅಮಾನ್ಯ ಚಿತ್ರ</translation>
    </message>
    <message>
        <source>Enter number of rows:</source>
        <translation>ಸಾಲುಗಳ ಸಂಖ್ಯೆಯನ್ನು ನಮೂದಿಸಿ:</translation>
    </message>
    <message>
        <source>Enter number of columns:</source>
        <translation>ಅಂಕಣಗಳ ಸಂಖ್ಯೆಯನ್ನು ನಮೂದಿಸಿ:</translation>
    </message>
    <message>
        <source>Number of rows to split into:</source>
        <translation>ಎಷ್ಟು ಸಾಲುಗಳಾಗಿ ವಿಭಜಿಸಬೇಕು:</translation>
    </message>
    <message>
        <source>Number of columns to split into:</source>
        <translation>ಎಷ್ಟು ಅಂಕಣಗಳಾಗಿ ವಿಭಜಿಸಬೇಕು:</translation>
    </message>
    <message>
        <source>Table Properties</source>
        <translation>ಕೋಷ್ಟಕದ ಗುಣಲಕ್ಷಣಗಳು</translation>
    </message>
    <message>
        <source>Append row(s)</source>
        <translation>ಕೊನೆಯಲ್ಲಿ ಸಾಲು(ಗಳನ್ನು) ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Append column(s)</source>
        <translation>ಕೊನೆಯಲ್ಲಿ ಅಂಕಣ(ಗಳನ್ನು) ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Remove row(s)</source>
        <translation>ಸಾಲು(ಗಳನ್ನು) ತೆಗೆ</translation>
    </message>
    <message>
        <source>Remove column(s)</source>
        <translation>ಅಂಕಣ(ಗಳನ್ನು) ತೆಗೆ</translation>
    </message>
    <message>
        <source>Insert row(s)</source>
        <translation>ಕೆಳಗೆ ಸಾಲು(ಗಳನ್ನು) ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Insert column(s)</source>
        <translation>ಬಲಕ್ಕೆ ಅಂಕಣ(ಗಳನ್ನು) ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Insert row(s) before</source>
        <translation>ಮೇಲೆ ಸಾಲು(ಗಳನ್ನು) ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Insert column(s) before</source>
        <translation>ಎಡಕ್ಕೆ ಅಂಕಣ(ಗಳನ್ನು) ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Merge cell(s)</source>
        <translation>ಕೋಶಗಳನ್ನು ವಿಲೀನಗೊಳಿಸು</translation>
    </message>
    <message>
        <source>Split cell</source>
        <translation>ಕೋಶವನ್ನು ವಿಭಜಿಸು</translation>
    </message>
    <message>
        <source>Image Properties</source>
        <translation>ಚಿತ್ರದ ಗುಣಲಕ್ಷಣಗಳು</translation>
    </message>
    <message>
        <source>Add To Dictionary</source>
        <translation>ನಿಘಂಟಿಗೆ ಸೇರಿಸು</translation>
    </message>
    <message>
        <source>Suggestions...</source>
        <translation>ಸಲಹೆಗಳು...</translation>
    </message>
    <message>
        <source>ZaviDodaz Meaning...</source>
        <translation>ZaviDodaz ಅರ್ಥ...</translation>
    </message>
    <message>
        <source>Wiktionary Meaning (Online)...</source>
        <translation>ವಿಕ್ಷನರಿ ಅರ್ಥ (ಆನ್‌ಲೈನ್)...</translation>
    </message>
    <message>
        <source>Word added to dictionary</source>
        <translation>ಪದವನ್ನು ನಿಘಂಟಿಗೆ ಸೇರಿಸಲಾಗಿದೆ</translation>
    </message>
    <message>
        <source>Failed to add the word</source>
        <translation>ಪದವನ್ನು ಸೇರಿಸಲಾಗಲಿಲ್ಲ</translation>
    </message>
    <message>
        <source>Couldn&apos;t save the file</source>
        <translation>ಕಡತವನ್ನು ಉಳಿಸಲಾಗಲಿಲ್ಲ</translation>
    </message>
    <message>
        <source>Unsaved changes. Do you want to save?</source>
        <translation>ಉಳಿಸದ ಬದಲಾವಣೆಗಳಿವೆ. ಉಳಿಸಬೇಕೆ?</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>ಕಡತವನ್ನು ಉಳಿಸು</translation>
    </message>
    <message>
        <source>Save File As</source>
        <translation>ಕಡತವನ್ನು ಹೀಗೆ ಉಳಿಸು</translation>
    </message>
    <message>
        <source>The document holds tables or pictures, which an RTF file saved here cannot keep: the text of the tables would become plain paragraphs, and the pictures would be left out.

Save it as RTF without them?</source>
        <translation>ಈ ದಸ್ತಾವೇಜಿನಲ್ಲಿ ಕೋಷ್ಟಕಗಳು ಅಥವಾ ಚಿತ್ರಗಳಿವೆ, ಇಲ್ಲಿ ಉಳಿಸುವ RTF ಕಡತ ಅವನ್ನು ಇಟ್ಟುಕೊಳ್ಳಲಾರದು: ಕೋಷ್ಟಕಗಳ ಪಠ್ಯ ಸಾಮಾನ್ಯ ಪ್ಯಾರಾಗಳಾಗುತ್ತದೆ, ಚಿತ್ರಗಳು ಬಿಟ್ಟುಹೋಗುತ್ತವೆ.

ಅವುಗಳಿಲ್ಲದೆ RTF ಆಗಿ ಉಳಿಸಬೇಕೆ?</translation>
    </message>
    <message>
        <source>Couldn&apos;t save the file: the text holds characters that ISO 8859-1 (ANSI) cannot store, and they would be lost.

Choose UTF-8 in the Encoding menu to save them.</source>
        <translation>ಕಡತವನ್ನು ಉಳಿಸಲಾಗಲಿಲ್ಲ: ಪಠ್ಯದಲ್ಲಿ ISO 8859-1 (ANSI) ಇಟ್ಟುಕೊಳ್ಳಲಾಗದ ಅಕ್ಷರಗಳಿವೆ, ಅವು ಕಳೆದುಹೋಗುತ್ತಿದ್ದವು.

ಅವನ್ನು ಉಳಿಸಲು ಎನ್‌ಕೋಡಿಂಗ್ ಮೆನುವಿನಲ್ಲಿ UTF-8 ಆರಿಸಿ.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ಈಗಾಗಲೇ ಇದೆ.
ಅದನ್ನು ಬದಲಿಸಬೇಕೆ?</translation>
    </message>
    <message>
        <source>Zuvo reads Nudi and BRH files but does not write them: the text saved as %1 would open garbled.

Save it under another name, for example %2.</source>
        <translation>Zuvo Nudi ಮತ್ತು BRH ಕಡತಗಳನ್ನು ಓದುತ್ತದೆ, ಆದರೆ ಬರೆಯುವುದಿಲ್ಲ: %1 ಆಗಿ ಉಳಿಸಿದ ಪಠ್ಯ ತೆರೆದಾಗ ಕೆಟ್ಟುಹೋಗುತ್ತದೆ.

ಇದನ್ನು ಬೇರೆ ಹೆಸರಿನಲ್ಲಿ ಉಳಿಸಿ, ಉದಾಹರಣೆಗೆ %2.</translation>
    </message>
</context>
<context>
    <name>WiktionaryOnline</name>
    <message>
        <source>Wiktionary Meaning (Online)...</source>
        <translation>ವಿಕ್ಷನರಿ ಅರ್ಥ (ಆನ್‌ಲೈನ್)...</translation>
    </message>
    <message>
        <source>Search :</source>
        <translation>ಹುಡುಕು :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
</context>
<context>
    <name>XMLTextEdit</name>
    <message>
        <source>elements nested more than %1 levels deep</source>
        <translation>ಅಂಶಗಳು %1 ಹಂತಗಳಿಗಿಂತ ಹೆಚ್ಚು ಆಳಕ್ಕೆ ಒಂದರೊಳಗೊಂದು ಇವೆ</translation>
    </message>
    <message>
        <source>XML not found!</source>
        <translation>XML ಸಿಗಲಿಲ್ಲ!</translation>
    </message>
    <message>
        <source>Null size xml document!</source>
        <translation>XML ದಸ್ತಾವೇಜು ಖಾಲಿಯಾಗಿದೆ!</translation>
    </message>
    <message>
        <source>XML valid.</source>
        <translation>XML ಸರಿಯಾಗಿದೆ.</translation>
    </message>
    <message>
        <source>All tag are valid size %1.</source>
        <translation>ಎಲ್ಲ ಟ್ಯಾಗ್‌ಗಳೂ ಸರಿಯಾಗಿವೆ, ಗಾತ್ರ %1.</translation>
    </message>
    <message>
        <source>Found xml error</source>
        <translation>XML ದೋಷ ಕಂಡುಬಂದಿದೆ</translation>
    </message>
    <message>
        <source>Check line %1 column %2 on string &quot;%3&quot;!</source>
        <translation>ಸಾಲು %1, ಅಂಕಣ %2 ರಲ್ಲಿ &quot;%3&quot; ಪರಿಶೀಲಿಸಿ!</translation>
    </message>
    <message>
        <source>Zoom In CTRL/+</source>
        <translation>ಹಿಗ್ಗಿಸು CTRL/+</translation>
    </message>
    <message>
        <source>Zoom Out CTRL/-</source>
        <translation>ಕುಗ್ಗಿಸು CTRL/-</translation>
    </message>
    <message>
        <source>Check xml syntax</source>
        <translation>XML ರಚನೆಯನ್ನು ಪರಿಶೀಲಿಸು</translation>
    </message>
</context>
<context>
    <name>ZaviDodazDialog</name>
    <message>
        <source>ZaviDodaz</source>
        <translation>ZaviDodaz</translation>
    </message>
    <message>
        <source>Enter the word:</source>
        <translation>ಪದವನ್ನು ನಮೂದಿಸಿ:</translation>
    </message>
    <message>
        <source>search</source>
        <translation>ಹುಡುಕು</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ಮುಚ್ಚು</translation>
    </message>
    <message>
        <source>Word not found. Sorry!</source>
        <translation>ಕ್ಷಮಿಸಿ, ಪದ ಸಿಗಲಿಲ್ಲ!</translation>
    </message>
    <message>
        <source>You have not entered any word!</source>
        <translation>ನೀವು ಯಾವ ಪದವನ್ನೂ ನಮೂದಿಸಿಲ್ಲ!</translation>
    </message>
    <message>
        <source>Dictionary is not found for &lt;b&gt;%1&lt;/b&gt;! &lt;br/&gt;Check here =&gt; %2</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; ಭಾಷೆಯ ನಿಘಂಟು ಸಿಗಲಿಲ್ಲ! &lt;br/&gt;ಇಲ್ಲಿ ನೋಡಿ =&gt; %2</translation>
    </message>
    <message>
        <source>Use &quot; F11&quot; key to toggle between %1 &amp; English</source>
        <translation>%1 ಮತ್ತು ಇಂಗ್ಲಿಷ್ ನಡುವೆ ಬದಲಿಸಲು &quot; F11&quot; ಕೀಲಿಯನ್ನು ಬಳಸಿ</translation>
    </message>
</context>
<context>
    <name>ZuvoDialog</name>
    <message>
        <source>Zuvo - Open file</source>
        <translation>Zuvo - ಕಡತವನ್ನು ತೆರೆ</translation>
    </message>
    <message>
        <source>Zuvo - Save file</source>
        <translation>Zuvo - ಕಡತವನ್ನು ಉಳಿಸು</translation>
    </message>
    <message>
        <source>All files (*.*);;Text files (*.txt);;ODF file (*.od*);;HTML files (*.htm*);;RTF files (*.rtf);;Nudi files (*.nudi);;BRH files (*.BRH)</source>
        <translation>ಎಲ್ಲ ಕಡತಗಳು (*.*);;ಪಠ್ಯ ಕಡತಗಳು (*.txt);;ODF ಕಡತ (*.od*);;HTML ಕಡತಗಳು (*.htm*);;RTF ಕಡತಗಳು (*.rtf);;ನುಡಿ ಕಡತಗಳು (*.nudi);;BRH ಕಡತಗಳು (*.BRH)</translation>
    </message>
</context>
<context>
    <name>ZuvoSaveFiles</name>
    <message>
        <source>Dialog</source>
        <translation>ಸಂವಾದ</translation>
    </message>
</context>
</TS>
