# Joins the help topics (one HTML file each, in name order) into the program's help file.
# Called with -DTOPICS_DIR=<folder of topics> -DOUTPUT=<help file>.
file(GLOB topics ${TOPICS_DIR}/*.html)
list(SORT topics)
set(text "<html><body>\n")
foreach(t ${topics})
  file(READ ${t} body)
  string(APPEND text "${body}\n")
endforeach()
string(APPEND text "</body></html>\n")
file(WRITE ${OUTPUT}.tmp "${text}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
