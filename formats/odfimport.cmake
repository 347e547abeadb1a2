# OpenDocument text, the import: the content loader, the body, tables, frames
# and images, remote pictures and the driver.
target_sources(formats PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/odfdombuilder.h
  ${CMAKE_CURRENT_LIST_DIR}/odfdombuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OOReaderBody.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OOReaderTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OOReaderRemote.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OOReaderImport.cpp
)
