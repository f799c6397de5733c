# cmake -DCMARK=cmark -DIN=user-guide.md -DTEMPLATE=user-guide.html.in -DOUT=x.html -P BuildGuide.cmake
execute_process(COMMAND ${CMARK} --to html ${IN} OUTPUT_VARIABLE BODY RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmark could not convert ${IN}")
endif()
configure_file(${TEMPLATE} ${OUT} @ONLY)
