#pragma once

class ArtWriter;

// Renders the 90 chat emoticons at 24 x 24 from the colour emoji font, in code order
// ("/000" .. "/089"), each chosen to match the name the chat shows for its code.
class EmoticonPainter final {
public:
    explicit EmoticonPainter(ArtWriter &writer);

    void DrawAll();

private:
    ArtWriter &m_writer;
};
