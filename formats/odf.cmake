# OpenDocument text: the ZIP container, lengths and colours, the reader object,
# its style registry and format conversion.
target_sources(formats PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GZip.h
  ${CMAKE_CURRENT_LIST_DIR}/GZip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FoColorName.h
  ${CMAKE_CURRENT_LIST_DIR}/FoColorName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/foregion.h
  ${CMAKE_CURRENT_LIST_DIR}/foregion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OOFormat.h
  ${CMAKE_CURRENT_LIST_DIR}/OOFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OOReader.h
  ${CMAKE_CURRENT_LIST_DIR}/OOReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OOReaderStyles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/odflog.h
)
