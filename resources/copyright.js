// Vemla: a short note of origin at the foot of the program's local pages.
window.addEventListener("load", function () {
  var notiz = document.createElement("p");
  notiz.style.fontSize = "8pt";
  notiz.style.color = "#808080";
  notiz.style.textAlign = "center";
  notiz.appendChild(document.createTextNode("Vemla - CD-Sammlung  \u00B7  Internetsuche"));
  document.body.appendChild(notiz);
});
