# Dictionary databases, suggestions and the completer's word list over a large
# dictionary built from the Kannada spelling word list.
zuvo_add_bench(bench_textlib_services
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_textlib_services.cpp
  LIBS textlib dctwriter Qt6::Widgets benchwords)
