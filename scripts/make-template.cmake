# Turns a Flat ODF template into a Word 97 document with LibreOffice:
# cmake -DSOURCE=x.fodt -DOUTPUT=Data/x.Doc -DWORK=folder -P make-template.cmake
get_filename_component(stem ${SOURCE} NAME_WE)
file(REMOVE_RECURSE ${WORK}/${stem})
file(MAKE_DIRECTORY ${WORK}/${stem})
execute_process(
  COMMAND soffice --headless --norestore -env:UserInstallation=file://${WORK}/${stem}/profile
          --convert-to doc:MS\ Word\ 97 --outdir ${WORK}/${stem} ${SOURCE}
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET TIMEOUT 120)
if(NOT EXISTS ${WORK}/${stem}/${stem}.doc)
  message(FATAL_ERROR "LibreOffice did not make ${stem}.doc from ${SOURCE} (status ${status})")
endif()
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${WORK}/${stem}/${stem}.doc ${OUTPUT})
file(REMOVE_RECURSE ${WORK}/${stem})
