# RTF: tokenizer, reader, writer and the save-as-RTF exporter.
target_sources(formats PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tokenizer.h ${CMAKE_CURRENT_LIST_DIR}/tokenizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reader.h ${CMAKE_CURRENT_LIST_DIR}/reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/writer.h ${CMAKE_CURRENT_LIST_DIR}/writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtfexporter.h ${CMAKE_CURRENT_LIST_DIR}/rtfexporter.cpp
)
